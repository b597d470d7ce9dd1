#include "qt/pressed_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "core/actions/key_chord_capture.h"
#include "core/interfaces/native_keys.h"
#include "qt/virtual_keys.h"

namespace tavorin {

int PressedVirtualKey(const QKeyEvent& event) {
  // Only on the desktop's own window system are the native codes the ones
  // the platform layer maps (offscreen tests make up keys without them).
  if (event.nativeVirtualKey() != 0 && QGuiApplication::platformName() == QLatin1String("xcb")) {
    if (const auto vk = VirtualKeyForNativeKeyPress(event.nativeVirtualKey(), event.nativeScanCode())) {
      return *vk;
    }
  }
  return WindowsVirtualKey(event.key(), event.modifiers(), 0);
}

int ModifierMask(Qt::KeyboardModifiers modifiers) {
  int mask = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) mask |= kShiftMask;
  if (modifiers.testFlag(Qt::ControlModifier)) mask |= kCtrlMask;
  if (modifiers.testFlag(Qt::AltModifier)) mask |= kAltMask;
  return mask;
}

}  // namespace tavorin

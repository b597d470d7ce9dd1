#include "qt/pressed_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "core/actions/key_chord_capture.h"
#include "platform/x11/virtual_key_map.h"
#include "qt/virtual_keys.h"

namespace tavorin {

int PressedVirtualKey(const QKeyEvent& event) {
  // X11 is the only backend with native key codes yet.
  if (event.nativeVirtualKey() != 0 && QGuiApplication::platformName() == QLatin1String("xcb")) {
    if (const auto vk = VirtualKeyForPressedKey(event.nativeVirtualKey(), event.nativeScanCode())) {
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

#include "qt/virtual_keys.h"

#include <QKeyEvent>

namespace tavorin {
namespace {

// X keysyms that Qt folds into other keys; only the xcb platform reports them.
constexpr quint32 kKeysymKpSeparator = 0xFFAC;
constexpr quint32 kKeysymKpEnter = 0xFF8D;

constexpr int kVkSeparator = 108;
constexpr int kVkNumpad0 = 96;
constexpr int kVkF1 = 112;

struct KeyCode {
  int qtKey;
  int vk;
};

constexpr KeyCode kEditingKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},   {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},   {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},      {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},  {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},   {Qt::Key_Slash, 111},
};

}  // namespace

int WindowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeKeysym) {
  if (nativeKeysym == kKeysymKpSeparator) return kVkSeparator;
  if (nativeKeysym == kKeysymKpEnter) return 13;
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return kVkNumpad0 + (qtKey - Qt::Key_0);
  if (keypad && qtKey == Qt::Key_Comma) return kVkSeparator;
  if (keypad && qtKey == Qt::Key_Period) return 110;
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kVkF1 + (qtKey - Qt::Key_F1);
  for (const KeyCode& key : kEditingKeys) {
    // The arithmetic keys have their own codes only on the keypad.
    if (key.qtKey == qtKey && (key.vk < 106 || keypad)) return key.vk;
  }
  return 0;
}

int WindowsVirtualKey(const QKeyEvent& event) {
  return WindowsVirtualKey(event.key(), event.modifiers(), event.nativeVirtualKey());
}

}  // namespace tavorin

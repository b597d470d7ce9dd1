#include "platform/win32/key_input.h"

#include "platform/win32/own_input.h"

namespace tavorin {

bool IsExtendedKey(std::uint8_t virtualKey) {
  switch (virtualKey) {
    case VK_CANCEL:  // Ctrl+Break
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_SNAPSHOT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      // Browser, volume, media and launch keys.
      return virtualKey >= VK_BROWSER_BACK && virtualKey <= VK_LAUNCH_APP2;
  }
}

INPUT KeyInput(std::uint8_t virtualKey, bool keyUp) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF);
  input.ki.dwFlags = (keyUp ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  input.ki.dwExtraInfo = kOwnInputTag;
  return input;
}

}  // namespace tavorin

#include "core/execution/input_simulation.h"

#include <vector>

namespace tavorin {
namespace {

constexpr std::int32_t kTrailingPause = 50;
constexpr std::int32_t kDoubleClickGap = 10;

constexpr std::uint8_t kShiftKey = 16;
constexpr std::uint8_t kControlKey = 17;
constexpr std::uint8_t kAltKey = 18;

}  // namespace

void ClickMouse(Platform& platform, std::int32_t code) {
  switch (code) {
    case 1:
      platform.MouseEvent(kLeftDown | kLeftUp);
      break;
    case 2:
      platform.MouseEvent(kRightDown | kRightUp);
      break;
    case 4:
      platform.MouseEvent(kMiddleDown | kMiddleUp);
      break;
    case 17:
      platform.MouseEvent(kLeftDown | kLeftUp);
      platform.Sleep(kDoubleClickGap);
      platform.MouseEvent(kLeftDown | kLeftUp);
      break;
    default:
      break;
  }
  platform.Sleep(kTrailingPause);
}

void PressKeyChord(Platform& platform, std::uint8_t virtualKey, std::int32_t modifiers) {
  if (modifiers >= 0 && modifiers <= 7) {
    // Held in the order Ctrl, Alt, Shift and let go in reverse.
    std::vector<std::uint8_t> held;
    if (modifiers & 2) held.push_back(kControlKey);
    if (modifiers & 4) held.push_back(kAltKey);
    if (modifiers & 1) held.push_back(kShiftKey);
    for (const auto key : held) platform.KeyEvent(key, false);
    platform.KeyEvent(virtualKey, false);
    platform.KeyEvent(virtualKey, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it) platform.KeyEvent(*it, true);
  }
  platform.Sleep(kTrailingPause);
}

}  // namespace tavorin

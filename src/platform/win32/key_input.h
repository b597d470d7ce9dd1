#pragma once

#include <windows.h>

#include <cstdint>

namespace tavorin {

// Keys whose scan code carries the E0 prefix: without KEYEVENTF_EXTENDEDKEY
// the navigation keys arrive as their numeric-keypad twins, and right Ctrl or
// Alt as the left ones.
bool IsExtendedKey(std::uint8_t virtualKey);

// One key event by virtual key, with the scan code of the current layout and
// the extended flag where the key needs it, tagged as this program's own.
INPUT KeyInput(std::uint8_t virtualKey, bool keyUp);

}  // namespace tavorin

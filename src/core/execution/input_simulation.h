#pragma once

#include <cstdint>

#include "core/interfaces/platform.h"

namespace tavorin {

// Click codes: 1 left, 2 right, 4 middle, 17 double left; any other code only
// pauses. Every call ends with a 50 ms pause.
void ClickMouse(Platform& platform, std::int32_t code);

// Taps virtualKey while the modifiers of the mask are held (1 Shift, 2 Ctrl,
// 4 Alt). A mask outside 0 to 7 presses nothing. Ends with a 50 ms pause.
void PressKeyChord(Platform& platform, std::uint8_t virtualKey, std::int32_t modifiers);

}  // namespace tavorin

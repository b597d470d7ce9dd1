#pragma once

#include <cstdint>
#include <optional>

namespace tavorin {

// The X keysym to press for a Windows virtual-key code, or nothing when X has
// no counterpart. Letters give the lower-case keysym: the upper-case one sits
// on the Shift level of the same key, so pressing it would not add Shift.
// The generic modifiers 16, 17 and 18 give the left-hand keysyms; the
// keyboard prefers whatever keycode the server has bound to that modifier.
std::optional<unsigned long> KeysymForVirtualKey(std::uint8_t virtualKey);

}  // namespace tavorin

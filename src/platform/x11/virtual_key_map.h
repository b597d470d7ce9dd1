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

// The Windows virtual-key code of a keysym the X server reported, the code
// Windows reports for that key: KeysymForVirtualKey gives back the same
// keysym, or the one of the key that does the same (the left-hand modifier
// for the right-hand one, the editing key for a keypad key with Num Lock
// off). Either case of a letter gives the letter's code. Nothing when the
// keysym has no code.
std::optional<std::uint8_t> VirtualKeyForKeysym(unsigned long keysym);

// The virtual-key code of a key pressed on Qt's X connection, given the
// keysym of the event and the keycode of the key: the code of the key's own
// unshifted keysym (Shift+1 is 49, Shift+, is 188), so the chord replays on
// the key that was pressed. Keypad keys keep the keysym of their Num Lock
// state.
std::optional<std::uint8_t> VirtualKeyForPressedKey(unsigned long keysym, unsigned keycode);

}  // namespace tavorin

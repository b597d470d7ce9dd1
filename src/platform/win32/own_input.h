#pragma once

#include <windows.h>

namespace tavorin {

// Carried in dwExtraInfo by every input event this program sends, so that the
// stop key hook can tell the run's own Esc from the user's.
inline constexpr ULONG_PTR kOwnInputTag = 0x54617672;

}  // namespace tavorin

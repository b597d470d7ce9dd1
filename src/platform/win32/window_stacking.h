#pragma once

#include <windows.h>

namespace tavorin {

// Put a top-level window into, or take it out of, the always-on-top band.
// Neither moves, resizes, activates nor re-creates the window.
void MakeTopmost(HWND window);
void MakeNotTopmost(HWND window);

}  // namespace tavorin

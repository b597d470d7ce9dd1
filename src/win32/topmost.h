#pragma once

#include <windows.h>

namespace tavorin {

// Into and out of the always-on-top band, without moving or resizing.
inline void MakeTopmost(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
inline void MakeNotTopmost(HWND window) {
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tavorin

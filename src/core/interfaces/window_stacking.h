#pragma once

#include <cstdint>

namespace tavorin {

// A top-level window as the window system knows it: an HWND on Windows, the
// X11 window id on Linux.
using WindowHandle = std::uintptr_t;

// The always-on-top band. Neither call moves, resizes, re-creates or hides
// the window, and neither reports failure: where the band cannot be changed
// the window simply stays as it is.
class WindowStacking {
 public:
  virtual ~WindowStacking() = default;
  virtual void MakeTopmost(WindowHandle window) = 0;
  virtual void MakeNotTopmost(WindowHandle window) = 0;
};

// The band of the system the program runs on; defined by the platform layer
// the program is linked with.
WindowStacking& SystemWindowStacking();

}  // namespace tavorin

#pragma once

struct _XDisplay;

namespace tavorin {

// True when this program runs on XWayland in a Wayland session, where XTest
// input reaches X11 windows only.
bool RunsUnderWayland();

// Whether the window under the pointer belongs to another program's X11
// window that also has the keyboard focus. Native Wayland windows are not in
// the X window tree, so a pointer over one finds none, and the focus is
// taken from every X11 window while one of them is active.
bool ForeignX11WindowHasPointerAndFocus(_XDisplay* display);

}  // namespace tavorin

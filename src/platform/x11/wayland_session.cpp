#include "platform/x11/wayland_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace tavorin {
namespace {

Window Parent(Display* display, Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  if (children != nullptr) XFree(children);
  return parent;
}

// The child of the root that holds `window`; 0 for none.
Window TopLevel(Display* display, Window window) {
  const Window root = DefaultRootWindow(display);
  while (window != 0 && window != root) {
    const Window parent = Parent(display, window);
    if (parent == root) return window;
    window = parent;
  }
  return 0;
}

bool OwnWindow(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  bool own = false;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining,
                         &data) == Success && data != nullptr) {
    own = format == 32 && count == 1 && *reinterpret_cast<unsigned long*>(data) == static_cast<unsigned long>(getpid());
    XFree(data);
  }
  return own;
}

}  // namespace

bool RunsUnderWayland() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* session = std::getenv("XDG_SESSION_TYPE");
  return (display != nullptr && *display != '\0') || (session != nullptr && std::string_view(session) == "wayland");
}

bool ForeignX11WindowHasPointerAndFocus(Display* display) {
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned buttons = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &buttons) ||
      child == 0) {
    return false;
  }
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus <= PointerRoot || TopLevel(display, focus) != child) return false;
  // Under a manager that frames windows the PID sits on the framed one.
  for (Window window = focus; window != 0; window = Parent(display, window)) {
    if (OwnWindow(display, window)) return false;
    if (window == child) return true;
  }
  return false;
}

}  // namespace tavorin

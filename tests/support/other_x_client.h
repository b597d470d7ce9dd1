#pragma once

// A second connection to the X server, acting as another program (or a
// remote-desktop tool) would, and reading the server's own view of windows:
// stacking, focus, mapping. Include it last: Xlib's macros (None among them)
// break the gtest and Qt headers.

#include <QTest>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tavorin::testing {

class OtherClient {
 public:
  OtherClient() : display_(XOpenDisplay(nullptr)) {}
  ~OtherClient() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  Display* display() const { return display_; }

  // Press and release with nothing between them.
  void TapEscape() {
    const KeyCode escape = XKeysymToKeycode(display_, XK_Escape);
    XTestFakeKeyEvent(display_, escape, True, CurrentTime);
    XTestFakeKeyEvent(display_, escape, False, CurrentTime);
    XSync(display_, False);
  }

  void HoldEscape(int milliseconds) {
    const KeyCode escape = XKeysymToKeycode(display_, XK_Escape);
    XTestFakeKeyEvent(display_, escape, True, CurrentTime);
    XSync(display_, False);
    QTest::qWait(milliseconds);
    XTestFakeKeyEvent(display_, escape, False, CurrentTime);
    XSync(display_, False);
  }

  // Takes the clipboard with a window that never answers a request.
  Window TakeClipboard() {
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False), window, CurrentTime);
    XSync(display_, False);
    return window;
  }
  Window ClipboardOwner() { return XGetSelectionOwner(display_, XInternAtom(display_, "CLIPBOARD", False)); }

  std::vector<Window> WindowList(const char* name) {
    std::vector<Window> windows;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, name, False), 0, 4096,
                           False, XA_WINDOW, &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
      const auto* ids = reinterpret_cast<const Window*>(data);
      windows.assign(ids, ids + count);
      XFree(data);
    }
    return windows;
  }

  // The managed window of process `pid`, 0 when there is none yet.
  Window WindowOfProcess(qint64 pid) {
    for (Window window : WindowList("_NET_CLIENT_LIST")) {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, remaining = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False), 0, 1, False,
                             XA_CARDINAL, &type, &format, &count, &remaining, &data) != Success ||
          data == nullptr) {
        continue;
      }
      const bool match = count == 1 && static_cast<qint64>(*reinterpret_cast<const unsigned long*>(data)) == pid;
      XFree(data);
      if (match) return window;
    }
    return 0;
  }

  // Waits up to ten seconds for the window manager to list it.
  Window WaitForWindowOfProcess(qint64 pid) {
    Window window = WindowOfProcess(pid);
    for (int i = 0; i < 200 && window == 0; ++i) {
      QTest::qWait(50);
      window = WindowOfProcess(pid);
    }
    return window;
  }

  void MakeAbove(Window window) { AddState(window, "_NET_WM_STATE_ABOVE"); }
  void Maximize(Window window) { AddState(window, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"); }

  // Asks the window manager to add one or two _NET_WM_STATE flags.
  void AddState(Window window, const char* state, const char* other = nullptr) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(display_, state, False));
    event.xclient.data.l[2] = other != nullptr ? static_cast<long>(XInternAtom(display_, other, False)) : 0;
    event.xclient.data.l[3] = 1;
    XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XSync(display_, False);
  }

  bool IsAbove(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool above = false;
    const Atom wanted = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM,
                           &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
      for (unsigned long i = 0; i < count; ++i) above = above || reinterpret_cast<const Atom*>(data)[i] == wanted;
      XFree(data);
    }
    return above;
  }

  // True when `window` or one of its descendants has the input focus.
  bool HasFocus(Window window) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    while (focus != 0 && focus != PointerRoot) {
      if (focus == window) return true;
      Window root = 0, parent = 0, *children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(display_, focus, &root, &parent, &children, &count)) return false;
      if (children != nullptr) XFree(children);
      if (parent == root) return false;
      focus = parent;
    }
    return false;
  }

  // True when the screen point (x, y) lies inside `window`.
  bool Covers(Window window, int x, int y) {
    int localX = 0, localY = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, DefaultRootWindow(display_), window, x, y, &localX, &localY, &child)) {
      return false;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) return false;
    return localX >= 0 && localY >= 0 && localX < attributes.width && localY < attributes.height;
  }

  bool Viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
  }

  // The child of the root window that holds `window` (its frame, when
  // managed), or `window` itself when it is one.
  Window TopLevelOf(Window window) {
    for (;;) {
      Window root = 0, parent = 0, *children = nullptr;
      unsigned count = 0;
      if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
      if (children != nullptr) XFree(children);
      if (parent == root || parent == 0) return window;
      window = parent;
    }
  }

  // Position in the server's stacking order, bottom first; -1 when absent.
  int StackPosition(Window window) {
    const Window top = TopLevelOf(window);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    int position = -1;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count; ++i) {
        if (children[i] == top) position = static_cast<int>(i);
      }
      if (children != nullptr) XFree(children);
    }
    return position;
  }

  Window FocusWindow() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
  }

  // A window no manager restacks (as a pop-up, a tooltip or a game's
  // full-screen window is), mapped on top of everything over the area.
  Window MapUnmanagedOnTop(int x, int y, int width, int height) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window =
        XCreateWindow(display_, DefaultRootWindow(display_), x, y, width, height, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect, &attributes);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
  }

  void RightClickAt(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    XTestFakeButtonEvent(display_, 3, True, CurrentTime);
    XTestFakeButtonEvent(display_, 3, False, CurrentTime);
    XSync(display_, False);
  }

 private:
  Display* display_;
};

}  // namespace tavorin::testing

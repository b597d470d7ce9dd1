#pragma once

// A second connection to the X server, acting as another program, a user or
// a window manager would, and reading the server's own view of windows:
// properties, stacking, focus, mapping. Include it last: Xlib's macros (None
// among them) break the gtest and Qt headers.

#include <QtWidgets>
#include <QtTest>
#include <algorithm>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tavorin::testing {

class OtherClient {
 public:
  OtherClient() : display_(XOpenDisplay(nullptr)) {}
  ~OtherClient() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  OtherClient(const OtherClient&) = delete;
  OtherClient& operator=(const OtherClient&) = delete;
  Display* display() const { return display_; }
  Window Root() const { return DefaultRootWindow(display_); }
  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

  // The items of a 32-bit property (Xlib hands them out as longs).
  std::vector<unsigned long> Property(Window window, const char* name, Atom type) {
    std::vector<unsigned long> values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, Intern(name), 0, 4096, False, type, &actualType, &format, &count,
                           &remaining, &data) == Success &&
        data != nullptr) {
      const auto* items = reinterpret_cast<const unsigned long*>(data);
      if (actualType == type && format == 32) values.assign(items, items + count);
      XFree(data);
    }
    return values;
  }
  std::vector<Window> WindowList(const char* name) { return Property(Root(), name, XA_WINDOW); }
  // The names of the atoms of an atom-list property, e.g. _NET_WM_STATE.
  QStringList AtomNames(Window window, const char* name) {
    QStringList names;
    for (unsigned long atom : Property(window, name, XA_ATOM)) {
      char* text = XGetAtomName(display_, atom);
      names << QString::fromLatin1(text);
      XFree(text);
    }
    return names;
  }
  bool IsAbove(Window window) { return AtomNames(window, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"); }

  // The window manager's window of process `pid`, waited for up to ten seconds.
  Window WaitForWindowOfProcess(qint64 pid) {
    Window found = 0;
    QTest::qWaitFor([&] {
      for (Window window : WindowList("_NET_CLIENT_LIST")) {
        if (Property(window, "_NET_WM_PID", XA_CARDINAL) == std::vector{static_cast<unsigned long>(pid)}) found = window;
      }
      return found != 0;
    }, 10000);
    return found;
  }

  // Sends a 32-bit client message about `about`: to the root window, where
  // a window manager takes requests, or to the window itself.
  void Message(Window about, const char* type, std::vector<long> data, bool toRoot = true) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = Intern(type);
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i) event.xclient.data.l[i] = data[i];
    XSendEvent(display_, toRoot ? Root() : about, False,
               toRoot ? SubstructureRedirectMask | SubstructureNotifyMask : NoEventMask, &event);
    XSync(display_, False);
  }
  // Asks the window manager to add one or two _NET_WM_STATE flags.
  void AddState(Window window, const char* state, const char* other = nullptr) {
    Message(window, "_NET_WM_STATE", {1, long(Intern(state)), other != nullptr ? long(Intern(other)) : 0, 1});
  }
  void MakeAbove(Window window) { AddState(window, "_NET_WM_STATE_ABOVE"); }
  // What a task bar or a key binding sends to minimise a window.
  void RequestIconic(Window window) { Message(window, "WM_CHANGE_STATE", {IconicState}); }
  // What a window manager sends for a window's close button or Alt+F4.
  void RequestClose(Window window) { Message(window, "WM_PROTOCOLS", {long(Intern("WM_DELETE_WINDOW"))}, false); }

  void Key(KeySym keysym, bool press, bool sync = true) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), press, CurrentTime);
    if (sync) XSync(display_, False);
  }
  // Binds `keysym` to a key code the keymap leaves empty, as the keymap of a
  // keyboard with that key has it; false when no code is free.
  bool BindSpareKey(KeySym keysym) {
    int first = 0, last = 0, perCode = 0;
    XDisplayKeycodes(display_, &first, &last);
    KeySym* map = XGetKeyboardMapping(display_, KeyCode(first), last - first + 1, &perCode);
    int spare = 0;
    for (int code = last; code >= first && spare == 0; --code) {
      const KeySym* symbols = map + (code - first) * perCode;
      if (std::all_of(symbols, symbols + perCode, [](KeySym s) { return s == NoSymbol; })) spare = code;
    }
    XFree(map);
    if (spare != 0) XChangeKeyboardMapping(display_, spare, 1, &keysym, 1);
    XSync(display_, False);
    return spare != 0;
  }
  // Press and release with nothing between them.
  void Tap(KeySym keysym) { Key(keysym, true, false); Key(keysym, false); }
  void ClickAt(int x, int y, unsigned button) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    for (Bool press : {True, False}) XTestFakeButtonEvent(display_, button, press, CurrentTime);
    XSync(display_, False);
  }

  // Takes the clipboard with a window that never answers a request.
  Window TakeClipboard() {
    const Window window = XCreateSimpleWindow(display_, Root(), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display_, Intern("CLIPBOARD"), window, CurrentTime);
    XSync(display_, False);
    return window;
  }
  Window ClipboardOwner() { return XGetSelectionOwner(display_, Intern("CLIPBOARD")); }

  // True when `window` or one of its descendants has the input focus.
  bool HasFocus(Window window) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    for (; focus != 0 && focus != PointerRoot && focus != Root(); focus = Parent(focus)) {
      if (focus == window) return true;
    }
    return false;
  }
  bool Viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
  }
  // Position in the server's stacking order of the root's child holding
  // `window` (its frame, when managed), bottom first; -1 when absent.
  int StackPosition(Window window) {
    while (window != 0 && Parent(window) != Root()) window = Parent(window);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    int position = -1;
    if (XQueryTree(display_, Root(), &root, &parent, &children, &count)) {
      const Window* at = std::find(children, children + count, window);
      if (at != children + count) position = static_cast<int>(at - children);
      if (children != nullptr) XFree(children);
    }
    return position;
  }

  // A window no manager restacks (as a pop-up, a tooltip or a game's
  // full-screen window is), mapped on top of everything over the area.
  Window MapUnmanagedOnTop(int x, int y, int width, int height) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window = XCreateWindow(display_, Root(), x, y, width, height, 0, CopyFromParent, InputOutput,
                                        CopyFromParent, CWOverrideRedirect, &attributes);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
  }

 private:
  Window Parent(Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
    if (children != nullptr) XFree(children);
    return parent;
  }

  Display* display_;
};

}  // namespace tavorin::testing

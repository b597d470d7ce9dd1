#include "platform/x11/x11_stop_key.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <stdexcept>

namespace tavorin {
namespace {

bool grabRefused = false;

int NoteRefusal(Display*, XErrorEvent* error) {
  if (error->error_code == BadAccess) grabRefused = true;
  return 0;
}

}  // namespace

X11StopKey::X11StopKey() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  keycode_ = XKeysymToKeycode(display_, XK_Escape);
}

X11StopKey::~X11StopKey() {
  Ungrab();
  XCloseDisplay(display_);
}

void X11StopKey::Begin() {
  watching_ = true;
  suspended_ = false;
  pressed_ = false;
  ignoreUntilUp_ = false;
  // Presses from before the run (the one that answered a dialog) are old news.
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
  }
  Grab();
  Pressed();  // a press that came with the grab's round trip is queued unseen
}

void X11StopKey::End() {
  watching_ = false;
  Ungrab();
}

void X11StopKey::Suspend() {
  suspended_ = true;
  Ungrab();
}

void X11StopKey::Resume() {
  suspended_ = false;
  if (!watching_) return;
  Pressed();  // what arrived before the grab was lifted still counts
  ignoreUntilUp_ = EscapeDown();
  Grab();
  Pressed();
}

int X11StopKey::ConnectionFd() const { return ConnectionNumber(display_); }

bool X11StopKey::Pressed() {
  if (!watching_) return false;
  // Drained even after a press: an unread connection would keep waking the
  // event loop.
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == KeyRelease && event.xkey.keycode == keycode_) ignoreUntilUp_ = false;
    if (event.type == KeyPress && event.xkey.keycode == keycode_ && !ignoreUntilUp_) pressed_ = true;
  }
  if (ignoreUntilUp_ && !pressed_ && !EscapeDown()) ignoreUntilUp_ = false;
  return pressed_;
}

// One grab per combination of the eight modifier bits, so Esc counts with
// Caps Lock or Num Lock on and with Ctrl or Shift held. A window manager may
// already hold some combinations (AnyModifier would then fail as a whole);
// those presses are its own, the plain Esc is what matters.
bool X11StopKey::Grab() {
  if (grabbed_ || keycode_ == 0) return grabbed_;
  const Window root = DefaultRootWindow(display_);
  const auto previous = XSetErrorHandler(NoteRefusal);
  XSync(display_, False);
  grabRefused = false;
  XGrabKey(display_, static_cast<int>(keycode_), 0, root, False, GrabModeAsync, GrabModeAsync);
  XSync(display_, False);
  const bool plain = !grabRefused;
  for (unsigned modifiers = 1; plain && modifiers < 256; ++modifiers) {
    XGrabKey(display_, static_cast<int>(keycode_), modifiers, root, False, GrabModeAsync,
             GrabModeAsync);
  }
  XSync(display_, False);
  XSetErrorHandler(previous);
  grabbed_ = plain;
  if (!plain) Ungrab();
  return plain;
}

void X11StopKey::Ungrab() {
  if (keycode_ == 0) return;
  // Releases only this connection's grabs, every combination at once.
  XUngrabKey(display_, static_cast<int>(keycode_), AnyModifier, DefaultRootWindow(display_));
  XSync(display_, False);
  grabbed_ = false;
}

bool X11StopKey::EscapeDown() {
  if (keycode_ == 0) return false;
  char keys[32] = {};
  XQueryKeymap(display_, keys);
  return (keys[keycode_ / 8] & (1 << (keycode_ % 8))) != 0;
}

}  // namespace tavorin

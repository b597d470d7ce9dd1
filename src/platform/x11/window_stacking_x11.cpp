#include "platform/x11/window_stacking.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace tavorin {
namespace {

constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;

Display* QtDisplay() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

// A window that is not mapped has no window manager looking after its state:
// the state is a property the manager reads when the window is mapped. Qt
// merges its own atoms into the existing property when it maps, so ours stay.
void SetStateProperty(Display* display, Window window, Atom above, bool add) {
  const Atom netWmState = XInternAtom(display, "_NET_WM_STATE", False);
  std::vector<Atom> atoms;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, netWmState, 0, 1024, False, XA_ATOM, &type, &format,
                         &count, &remaining, &data) == Success &&
      data != nullptr) {
    if (type == XA_ATOM && format == 32) {
      const auto* existing = reinterpret_cast<const Atom*>(data);
      for (unsigned long i = 0; i < count; ++i) {
        if (existing[i] != above) atoms.push_back(existing[i]);
      }
    }
    XFree(data);
  }
  if (add) atoms.push_back(above);
  XChangeProperty(display, window, netWmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

// A mapped window's state belongs to the window manager; it is asked to
// change it in place, which neither moves nor re-maps the window.
void SendStateMessage(Display* display, Window window, Atom above, bool add) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = add ? kNetWmStateAdd : kNetWmStateRemove;
  event.xclient.data.l[1] = static_cast<long>(above);
  event.xclient.data.l[2] = 0;
  event.xclient.data.l[3] = 1;  // source indication: a normal application
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void SetAbove(QWidget* widget, bool add) {
  if (widget == nullptr) return;
  Display* display = QtDisplay();
  if (display == nullptr) return;
  QWidget* topLevel = widget->window();
  const auto window = static_cast<Window>(topLevel->winId());
  const Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
  const QWindow* handle = topLevel->windowHandle();
  if (handle != nullptr && handle->isVisible()) {
    SendStateMessage(display, window, above, add);
  } else {
    SetStateProperty(display, window, above, add);
  }
  XFlush(display);
}

void RequestActivation(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // source indication: a pager or task bar
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

void BringToFront(QWidget* window) {
  if (window == nullptr) return;
  QWidget* topLevel = window->window();
  topLevel->raise();
  topLevel->activateWindow();
  Display* display = QtDisplay();
  if (display == nullptr) return;
  const auto id = static_cast<Window>(topLevel->winId());
  SetAbove(topLevel, true);
  XRaiseWindow(display, id);
  RequestActivation(display, id);
  XFlush(display);
}

void MakeTopmost(QWidget* window) { SetAbove(window, true); }

void MakeNotTopmost(QWidget* window) { SetAbove(window, false); }

}  // namespace tavorin

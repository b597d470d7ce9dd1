#include "platform/x11/dialog_frame.h"

#include <QGuiApplication>
#include <QWidget>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <vector>

namespace tavorin {
namespace {

// The one window property read whole: small atom lists and window ids.
std::vector<unsigned long> Property(Display* display, Window window, Atom name, Atom type) {
  std::vector<unsigned long> values;
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, name, 0, 64, False, type, &actualType, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr) {
    if (actualType == type && format == 32) {
      const auto* items = reinterpret_cast<const unsigned long*>(data);
      values.assign(items, items + count);
    }
    XFree(data);
  }
  return values;
}

bool ManagerIsOpenbox(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const auto manager = Property(display, DefaultRootWindow(display), check, XA_WINDOW);
  if (manager.empty()) return false;
  const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  bool openbox = false;
  if (XGetWindowProperty(display, manager.front(), name, 0, 16, False, utf8, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr) {
    openbox = format == 8 && count == 7 && std::memcmp(data, "Openbox", 7) == 0;
    XFree(data);
  }
  return openbox;
}

}  // namespace

void OfferNoMinimise(QWidget& dialog) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  Display* display = x11 != nullptr ? x11->display() : nullptr;
  if (display == nullptr || !dialog.isWindow() || !ManagerIsOpenbox(display)) return;
  const auto window = static_cast<Window>(dialog.winId());
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsUnmapped) return;

  const Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  const Atom toolbar = XInternAtom(display, "_NET_WM_WINDOW_TYPE_TOOLBAR", False);
  std::vector<unsigned long> types{toolbar};
  for (unsigned long type : Property(display, window, windowType, XA_ATOM)) {
    if (type != toolbar) types.push_back(type);
  }
  XChangeProperty(display, window, windowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(types.data()), static_cast<int>(types.size()));
  XFlush(display);
}

}  // namespace tavorin

#include "platform/x11/input_reach.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <stdexcept>

#include "platform/x11/event_loop_sleep.h"
#include "platform/x11/wayland_session.h"

namespace tavorin {
namespace {

// A window manager holds the pointer from a click on a window until it has
// passed the click on; a locker holds it for good. Longer than the first
// on a busy machine, far shorter than the second.
constexpr std::int32_t kPassingGrabMs = 300;

// A grab asked for with a time ahead of the server's is refused: with
// AlreadyGrabbed when another client holds one (checked first), else as an
// invalid time. So the answer tells without taking a grab, which would send
// every focused window a focus change (browsers run their blur handlers).
constexpr Time kAhead = 1u << 30;

}  // namespace

InputReach::InputReach() : underWayland_(RunsUnderWayland()) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  clock_ = XCreateWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                         CopyFromParent, 0, nullptr);
  XSelectInput(display_, clock_, PropertyChangeMask);
  clockAtom_ = XInternAtom(display_, "TAVORIN_TIME", False);
}

InputReach::~InputReach() { XCloseDisplay(display_); }

DeliveryFault InputReach::Check() {
  if (SaverShowing()) return DeliveryFault::kInputBlocked;
  if (HeldElsewhere()) {
    SleepServingEvents(kPassingGrabMs, [this] { return !HeldElsewhere(); });
    if (HeldElsewhere()) return DeliveryFault::kInputBlocked;
  }
  if (underWayland_ && !ForeignX11WindowHasPointerAndFocus(display_)) return DeliveryFault::kTargetUnreachable;
  return DeliveryFault::kNone;
}

// The server's time comes with the notice of a property change.
unsigned long InputReach::ServerTime() {
  XChangeProperty(display_, clock_, clockAtom_, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  XWindowEvent(display_, clock_, PropertyChangeMask, &event);
  return event.xproperty.time;
}

bool InputReach::HeldElsewhere() {
  const Time ahead = ServerTime() + kAhead;
  const Window root = DefaultRootWindow(display_);
  const int keyboard = XGrabKeyboard(display_, root, False, GrabModeAsync, GrabModeAsync, ahead);
  // A button held down (the run's own, in a drag) grabs the pointer for the
  // window it was pressed on; that grab is no obstacle.
  Window child = 0, rootAgain = 0;
  int x = 0, y = 0;
  unsigned buttons = 0;
  XQueryPointer(display_, root, &rootAgain, &child, &x, &y, &x, &y, &buttons);
  const unsigned anyButton = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
  const int pointer = (buttons & anyButton) != 0
                          ? GrabInvalidTime
                          : XGrabPointer(display_, root, False, 0, GrabModeAsync, GrabModeAsync, 0, 0, ahead);
  // Were either taken after all, it is given back at once.
  if (keyboard == GrabSuccess) XUngrabKeyboard(display_, CurrentTime);
  if (pointer == GrabSuccess) XUngrabPointer(display_, CurrentTime);
  return keyboard == AlreadyGrabbed || pointer == AlreadyGrabbed;
}

bool InputReach::SaverShowing() {
  int eventBase = 0, errorBase = 0;
  if (!XScreenSaverQueryExtension(display_, &eventBase, &errorBase)) return false;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (info == nullptr) return false;
  const bool on = XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info) && info->state == ScreenSaverOn;
  XFree(info);
  return on;
}

}  // namespace tavorin

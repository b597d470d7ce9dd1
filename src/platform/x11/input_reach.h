#pragma once

#include "core/interfaces/platform.h"

struct _XDisplay;

namespace tavorin {

// Tells whether input sent now would reach the desktop the user sees: no
// other client holds the keyboard or the pointer (a screen locker, a menu
// left open), the server's screen saver is not showing, and on a Wayland
// desktop the pointer and the focus are on an X11 window of another program.
class InputReach {
 public:
  InputReach();  // throws std::runtime_error without a display
  ~InputReach();
  InputReach(const InputReach&) = delete;
  InputReach& operator=(const InputReach&) = delete;

  DeliveryFault Check();

 private:
  unsigned long ServerTime();
  bool HeldElsewhere();
  bool SaverShowing();

  _XDisplay* display_ = nullptr;
  unsigned long clock_ = 0;  // a window of our own whose property changes give the time
  unsigned long clockAtom_ = 0;
  bool underWayland_ = false;
};

}  // namespace tavorin

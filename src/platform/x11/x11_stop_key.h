#pragma once

struct _XDisplay;

namespace tavorin {

// Receives the user's Esc presses during a run through a passive grab of
// Escape (with any modifiers) on the root window, on a display connection of
// its own. The grab delivers every press, however short, and keeps it from
// the window under the pointer. It is lifted while this program presses Esc
// itself and while a message box wants the key. When another client holds
// the key already, presses are not watched at all: sampling the key state
// would let the user's Esc through to whoever holds it.
class X11StopKey {
 public:
  X11StopKey();  // throws std::runtime_error without a display
  ~X11StopKey();
  X11StopKey(const X11StopKey&) = delete;
  X11StopKey& operator=(const X11StopKey&) = delete;

  // Grabs the key and forgets earlier presses.
  void Begin();
  void End();
  // Lifts the grab for a while; Resume takes it back. A press still held
  // when the grab returns (the Esc that closed a box) is not a stop, nor are
  // its repeats: presses count again once the key has been seen up.
  void Suspend();
  void Resume();
  // Reads what has arrived without waiting; true once a press came.
  bool Pressed();
  // False while watching when the grab could not be taken: a stop would go
  // unnoticed, so nothing should be sent.
  bool Watchable() const { return !watching_ || suspended_ || grabbed_; }
  // The connection's socket: readable when a press may have arrived.
  int ConnectionFd() const;

 private:
  bool Grab();
  void Ungrab();
  bool EscapeDown();

  _XDisplay* display_ = nullptr;
  unsigned keycode_ = 0;
  bool grabbed_ = false;
  bool watching_ = false;
  bool pressed_ = false;
  bool suspended_ = false;
  bool ignoreUntilUp_ = false;
};

}  // namespace tavorin

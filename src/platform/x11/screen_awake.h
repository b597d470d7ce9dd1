#pragma once

#include <QObject>
#include <optional>

struct _XDisplay;

namespace tavorin {

// Keeps the screen saver, blanking and the desktop's idle handling from
// starting while on: the X server's own saver and power saving through the
// MIT-SCREEN-SAVER extension, and the desktop's through the freedesktop
// screen saver service where the session bus has one. Where either is
// missing it does without it, quietly.
class ScreenAwake {
 public:
  explicit ScreenAwake(_XDisplay* display) : display_(display) {}
  ~ScreenAwake() { Set(false); }
  ScreenAwake(const ScreenAwake&) = delete;
  ScreenAwake& operator=(const ScreenAwake&) = delete;

  void Set(bool on);

 private:
  void SuspendServerSaver(bool suspend);
  void Inhibit();
  void UnInhibit(unsigned cookie);

  _XDisplay* display_;
  bool on_ = false;
  std::optional<unsigned> cookie_;  // of the inhibition the desktop granted
  QObject replies_;                 // owns the calls still awaiting an answer
};

}  // namespace tavorin

#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>

namespace tavorin {

// Pauses that keep the program alive: the thread waits on a high-resolution
// waitable timer (the system's default 15.6 ms tick would stretch every
// pause) together with its message queue, and dispatches posted (timers
// included), sent and paint messages as they come, so its windows repaint
// and the clipboard stays served. User input stays queued until the pause
// is over.
class PumpingPause {
 public:
  PumpingPause();
  ~PumpingPause();
  PumpingPause(const PumpingPause&) = delete;
  PumpingPause& operator=(const PumpingPause&) = delete;

  // Waits `milliseconds` (nothing for zero or less). Returns false, early,
  // once `interrupt` (if not null) is signalled.
  bool Wait(std::int32_t milliseconds, HANDLE interrupt = nullptr);

 private:
  bool Arm(std::chrono::steady_clock::duration left);

  HANDLE timer_ = nullptr;
};

}  // namespace tavorin

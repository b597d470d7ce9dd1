#pragma once

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

namespace tavorin {

// Decides, for every key event the system reports, whether it is the user's
// stop key. An Esc this program sent itself (injected and carrying
// kOwnInputTag) passes; the user's Esc triggers the stop and is swallowed,
// down and up, so the application under the run never sees it. While
// suspended (a message box of the run is up) every key passes, and Esc
// answers the box as usual.
class StopKeyFilter {
 public:
  // True when the event must be swallowed.
  bool Swallow(const KBDLLHOOKSTRUCT& key, bool keyUp);
  void Reset();
  void Suspend(bool suspended) { suspended_ = suspended; }
  bool Triggered() const { return triggered_; }

 private:
  std::atomic<bool> suspended_{false};
  std::atomic<bool> triggered_{false};
  bool swallowedDown_ = false;  // the user's Esc is down and was kept back
};

// The stop key while a run goes on: a low-level keyboard hook on a thread of
// its own, so it answers at once whatever the run's thread is doing (a
// program whose hook answers late has it skipped by the system). Triggering
// signals Event(), which ends the run's current pause.
class StopKeyHook {
 public:
  StopKeyHook();
  ~StopKeyHook();
  StopKeyHook(const StopKeyHook&) = delete;
  StopKeyHook& operator=(const StopKeyHook&) = delete;

  // Installs the hook with a fresh filter; false when the system refused.
  bool Start();
  // Removes the hook; the filter keeps its verdict until the next Start.
  void Stop();

  bool Triggered() const { return filter_.Triggered(); }
  HANDLE Event() const { return event_; }
  void Suspend(bool suspended) { filter_.Suspend(suspended); }

 private:
  static LRESULT CALLBACK HookProcedure(int code, WPARAM message, LPARAM data);
  void Watch(std::promise<bool>& installed);

  StopKeyFilter filter_;
  HANDLE event_ = nullptr;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
};

}  // namespace tavorin

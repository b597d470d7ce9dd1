#include "platform/win32/pumping_pause.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace tavorin {
namespace {

// Windows 10 1803 and later; older systems and Wine refuse or ignore it.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// Timers too: the progress badge re-raises itself from one, long waits
// included.
constexpr DWORD kServedMessages = QS_ALLPOSTMESSAGE | QS_TIMER | QS_SENDMESSAGE | QS_PAINT;
constexpr UINT kServedRemoval = PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT;

using TimerTicks = std::chrono::duration<LONGLONG, std::ratio<1, 10000000>>;  // 100 ns

}  // namespace

PumpingPause::PumpingPause() {
  timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
  if (timer_ == nullptr) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  if (timer_ == nullptr) throw std::runtime_error("cannot create a waitable timer");
}

PumpingPause::~PumpingPause() { CloseHandle(timer_); }

bool PumpingPause::Arm(std::chrono::steady_clock::duration left) {
  LARGE_INTEGER due{};
  // Relative (negative), rounded up so the timer never fires before the end.
  due.QuadPart = -std::max<LONGLONG>(1, std::chrono::ceil<TimerTicks>(left).count());
  return SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE) != FALSE;
}

bool PumpingPause::Wait(std::int32_t milliseconds, HANDLE interrupt) {
  if (milliseconds <= 0) return true;
  // The timer only wakes the thread; the pause lasts until the steady clock
  // says it is over, as a timer that fires early (seen under load) would cut
  // a pause short, and with it the time a target needs.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  if (!Arm(std::chrono::milliseconds(milliseconds))) {
    Sleep(static_cast<DWORD>(milliseconds));
    return true;
  }
  const HANDLE handles[] = {timer_, interrupt};
  const DWORD count = interrupt != nullptr ? 2 : 1;
  bool quit = false;
  WPARAM quitCode = 0;
  bool completed = true;
  for (;;) {
    // Messages already waiting count too, not only those arriving later.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, kServedRemoval)) {
      if (message.message == WM_QUIT) {
        // Kept for the program's own loop, which must still see it.
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, kServedMessages, 0);
    if (woke == WAIT_OBJECT_0) {
      const auto left = end - std::chrono::steady_clock::now();
      if (left <= left.zero() || !Arm(left)) break;
      continue;
    }
    if (woke == WAIT_OBJECT_0 + 1 && count == 2) {
      CancelWaitableTimer(timer_);
      completed = false;
      break;
    }
    if (woke == WAIT_FAILED) {
      // Not with valid handles; the timer alone still keeps the pause's
      // length.
      WaitForSingleObject(timer_, INFINITE);
      break;
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return completed;
}

}  // namespace tavorin

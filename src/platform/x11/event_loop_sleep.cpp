#include "platform/x11/event_loop_sleep.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace tavorin {
namespace {

using Clock = std::chrono::steady_clock;

// Event-loop timers count whole milliseconds and may fire a millisecond or
// two late on a busy machine. Leaving the loop this much before the deadline
// and sleeping the rest in the kernel keeps a pause within a fraction of a
// millisecond without spending processor time on it.
constexpr auto kKernelSleepMargin = std::chrono::microseconds(2000);
constexpr int kInterruptPollMs = 10;

// Runs a nested event loop until `wakeAt` or until `interrupted` answers
// true. Returns false when the loop was ended by something other than its own
// timers (the application quitting), after which no further nested loop
// would run.
bool RunEventLoopUntil(Clock::time_point wakeAt, const std::function<bool()>& interrupted) {
  const auto remaining = std::chrono::floor<std::chrono::milliseconds>(wakeAt - Clock::now());
  QEventLoop loop;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  bool fired = false;
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    fired = true;
    loop.quit();
  });
  timer.start(static_cast<int>(remaining.count()));
  QTimer poll;
  if (interrupted) {
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (!interrupted()) return;
      fired = true;
      loop.quit();
    });
    poll.start(kInterruptPollMs);
  }
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return fired;
}

}  // namespace

// Why a nested loop and not a thread sleep: on X11 the clipboard owner serves
// every paste itself, from its event loop; a blocked GUI thread would make the
// target paste nothing. Each call owns its loop and timer, so an event handler
// that pauses again inside the loop gets its own pause and the outer one
// still ends at its own deadline (or as soon as the inner one returns).
void SleepServingEvents(std::int32_t milliseconds, const std::function<bool()>& interrupted) {
  if (milliseconds <= 0) return;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  const auto wakeAt = deadline - kKernelSleepMargin;
  const auto stop = [&] { return interrupted && interrupted(); };

  bool loopUsable = QCoreApplication::instance() != nullptr;
  while (loopUsable && wakeAt - Clock::now() >= std::chrono::milliseconds(1)) {
    loopUsable = RunEventLoopUntil(wakeAt, interrupted);
    if (stop()) return;
  }
  if (stop()) return;
  std::this_thread::sleep_until(deadline);
}

}  // namespace tavorin

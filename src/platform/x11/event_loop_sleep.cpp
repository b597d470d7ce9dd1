#include "platform/x11/event_loop_sleep.h"

#include <QAbstractEventDispatcher>
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

}  // namespace

// Why the event loop and not a thread sleep: on X11 the clipboard owner
// serves every paste itself, from its event loop; a blocked GUI thread would
// make the target paste nothing. The loop sleeps until something happens (a
// clipboard request, a repaint, the stop key's connection turning readable,
// the deadline's timer) and `interrupted` is asked only then, so a long
// pause costs next to nothing. An event handler that pauses again inside
// gets its own pause; the outer one still ends at its own deadline.
void SleepServingEvents(std::int32_t milliseconds, const std::function<bool()>& interrupted) {
  if (milliseconds <= 0) return;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  const auto wakeAt = deadline - kKernelSleepMargin;
  const auto stop = [&] { return interrupted && interrupted(); };
  if (stop()) return;

  auto* dispatcher = QCoreApplication::instance() != nullptr ? QAbstractEventDispatcher::instance() : nullptr;
  if (dispatcher != nullptr) {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    for (auto left = std::chrono::floor<std::chrono::milliseconds>(wakeAt - Clock::now());
         left >= std::chrono::milliseconds(1);
         left = std::chrono::floor<std::chrono::milliseconds>(wakeAt - Clock::now())) {
      // Restarted after every wake-up: a nested pause may have run its own
      // loop past this timer's shot.
      timer.start(static_cast<int>(left.count()));
      dispatcher->processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
      if (stop()) return;
    }
  }
  if (stop()) return;
  std::this_thread::sleep_until(deadline);
}

}  // namespace tavorin

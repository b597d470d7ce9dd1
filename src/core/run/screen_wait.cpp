#include "core/run/screen_wait.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/actions/screen_fingerprint.h"
#include "core/actions/screen_wait_line.h"
#include "core/execution/number_rules.h"
#include "core/run/progress_texts.h"

namespace tavorin {
namespace {

void Halt(RunContext& run, const std::u16string& why) {
  if (run.halt) run.halt(u"第 " + DecimalText(run.lineNumber) + u" 行" + why);
}

// Looks until the area matches; false when the run must not go on.
bool Watch(RunContext& run, const ScreenWait& wait) {
  const auto start = std::chrono::steady_clock::now();
  const auto limitMs = static_cast<std::int64_t>(std::ceil(wait.seconds * 1000));
  // The pauses alone already take this long; the clock adds what the looks
  // cost, so a slow machine still stops after T seconds, not later.
  std::int64_t pausedMs = 0;
  bool answered = false;  // a look differed: the target has moved since the input
  while (!run.platform.StopRequested()) {
    const std::vector<std::uint32_t> pixels = run.platform.ReadScreenArea(wait.area);
    const std::vector<std::uint8_t> seen = TakeFingerprint(pixels, wait.area.width, wait.area.height);
    if (seen.empty()) {
      Halt(run, u"等候画面：无法读取屏幕上的这个区域。");
      return false;
    }
    const auto clockMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    const std::int64_t waitedMs = std::max<std::int64_t>(pausedMs, clockMs);
    if (LooksAlike(wait.fingerprint, seen, wait.area.width, wait.area.height)) {
      if (answered || waitedMs >= std::min<std::int64_t>(kScreenSettleMs, limitMs)) return true;
    } else {
      answered = true;
    }
    if (waitedMs >= limitMs) {
      Halt(run, u"等候画面超时（" + wait.secondsText + u" 秒）：画面与记录时不同。");
      return false;
    }
    const auto pause = static_cast<std::int32_t>(std::min<std::int64_t>(kScreenLookIntervalMs, limitMs - waitedMs));
    run.platform.Sleep(pause);
    pausedMs += pause;
  }
  return false;
}

}  // namespace

void WaitForScreen(RunContext& run, const std::u16string& line) {
  const ScreenWaitReading reading = ReadScreenWaitLine(line);
  if (!reading.wait) {
    Halt(run, reading.problem);
    return;
  }
  if (run.progress != nullptr) run.progress->SetRecord(u"等候画面…");
  Watch(run, *reading.wait);
  if (run.progress != nullptr) run.progress->SetRecord(BadgeRecordText(run.state.currentText));
}

}  // namespace tavorin

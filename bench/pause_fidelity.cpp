// How closely the X11 platform keeps the pauses of a run, and what one key
// chord costs apart from its pause. Needs an X display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/x11rel/bench/tavorin_pause_fidelity [samples]
// Keys are tapped at whatever window has the focus; Shift alone types nothing.

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "core/execution/command_interpreter.h"
#include "core/execution/input_simulation.h"
#include "platform/x11/x11_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Times `action` `samples` times against `requestedMs` and prints the median
// ratio actual/requested, the worst overshoot, the shortest run and the
// processor time one call costs (median).
void ReportPause(const char* label, double requestedMs, int samples,
                 const std::function<void()>& action) {
  std::vector<double> actual;
  std::vector<double> cpu;
  for (int i = 0; i < samples; ++i) {
    const auto start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    action();
    cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    actual.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  const double worst = *std::max_element(actual.begin(), actual.end());
  const double best = *std::min_element(actual.begin(), actual.end());
  std::printf("%-28s n=%3d  median ratio %.4f  worst overshoot %+.3f ms  shortest %.3f ms  cpu %.3f ms\n",
              label, samples, Median(actual) / requestedMs, worst - requestedMs, best, Median(cpu));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;

  tavorin::X11Platform platform;
  ReportPause("ExecuteCommand \"s 51\"", 51, samples,
              [&] { tavorin::ExecuteCommand(platform, u"s 51"); });
  ReportPause("ExecuteCommand \"s 1000\"", 1000, samples,
              [&] { tavorin::ExecuteCommand(platform, u"s 1000"); });
  ReportPause("PressKeyChord(16, 0) (50 ms)", 50, samples,
              [&] { tavorin::PressKeyChord(platform, 16, 0); });

  // The chord's own cost: the key events with their round trips, no pause.
  std::vector<double> micros;
  for (int i = 0; i < samples * 20; ++i) {
    const auto start = Clock::now();
    platform.KeyEvent(16, false);
    platform.KeyEvent(16, true);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::printf("%-28s n=%3zu  median %.1f us  worst %.1f us\n", "KeyEvent down+up (Shift)",
              micros.size(), Median(micros), *std::max_element(micros.begin(), micros.end()));
  return 0;
}

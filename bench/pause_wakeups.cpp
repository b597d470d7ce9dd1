// What a long pause inside a run costs in processor time against the idle
// main window, and how soon a tapped Esc ends a pause (from the tap to the
// pause's return). Needs an X display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/release/bench/tavorin_pause_wakeups [seconds] [taps]

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include "platform/x11/x11_platform.h"
#include "qt/form1.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

namespace {

using Clock = std::chrono::steady_clock;

double CpuMsSince(std::clock_t start) { return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int taps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  tavorin::Form1 form;
  form.show();
  tavorin::X11Platform platform;
  QTimer::singleShot(1000, &app, &QApplication::quit);  // let the window settle
  app.exec();

  std::clock_t cpu = std::clock();
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  app.exec();
  const double idleMs = CpuMsSince(cpu);
  platform.BeginStopWatch();
  cpu = std::clock();
  platform.Sleep(seconds * 1000);
  const double pauseMs = CpuMsSince(cpu);
  platform.EndStopWatch();
  std::printf("%d s: idle window %.1f ms of processor time, pause in a run %.1f ms: ratio %.2f\n", seconds, idleMs,
              pauseMs, pauseMs / idleMs);

  // The user's Esc comes from another connection at a random moment.
  Display* user = XOpenDisplay(nullptr);
  const unsigned escape = XKeysymToKeycode(user, XK_Escape);
  std::mt19937 random(7);
  std::vector<double> latencies;
  for (int i = 0; i < taps; ++i) {
    platform.BeginStopWatch();
    Clock::time_point tappedAt{};
    QTimer::singleShot(100 + static_cast<int>(random() % 400), [&] {
      tappedAt = Clock::now();
      XTestFakeKeyEvent(user, escape, True, CurrentTime);
      XTestFakeKeyEvent(user, escape, False, CurrentTime);
      XFlush(user);
    });
    platform.Sleep(5000);
    latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - tappedAt).count());
    platform.EndStopWatch();
  }
  XCloseDisplay(user);
  std::sort(latencies.begin(), latencies.end());
  std::printf("Esc to the end of a pause, %d taps: median %.1f ms, worst %.1f ms\n", taps,
              latencies[latencies.size() / 2], latencies.back());
  return 0;
}

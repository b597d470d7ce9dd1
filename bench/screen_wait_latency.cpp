// What waiting for the screen costs on X11: one look at a 400 × 100 area
// (reading it and comparing it), and how long after the area becomes ready
// the run goes on. Needs an X display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/debug/bench/tavorin_screen_wait_latency [samples]
// A window of its own plays the target: it shows a "loading" look, then at a
// random moment the ready look the wait line was made from.

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/actions/screen_fingerprint.h"
#include "core/actions/screen_wait_line.h"
#include "core/interfaces/memory_list_box.h"
#include "core/interfaces/memory_text_box.h"
#include "core/run/screen_wait.h"
#include "platform/x11/x11_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(share * values.size()))];
}

class Target : public QWidget {
 public:
  Target() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint) {
    setGeometry(100, 100, 400, 100);
  }
  void SetReady(bool ready) {
    ready_ = ready;
    repaint();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), ready_ ? Qt::white : Qt::lightGray);
    painter.drawText(rect(), Qt::AlignCenter, ready_ ? QStringLiteral("请填写姓名") : QStringLiteral("正在加载…"));
  }

 private:
  bool ready_ = true;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;

  tavorin::X11Platform platform;
  Target target;
  target.show();
  while (!target.isVisible() || platform.ReadScreenArea({100, 100, 400, 100}).empty()) app.processEvents();
  platform.Sleep(300);  // drawn and on the server
  const tavorin::ScreenRect area{100, 100, 400, 100};
  const std::u16string line = tavorin::ScreenWaitLine(area, platform.ReadScreenArea(area));

  // One look: the read and the comparison a wait makes each time.
  const auto recorded = tavorin::ReadScreenWaitLine(line).wait->fingerprint;
  std::vector<double> look, read;
  for (int i = 0; i < samples * 10; ++i) {
    const auto start = Clock::now();
    const auto pixels = platform.ReadScreenArea(area);
    read.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    tavorin::LooksAlike(recorded, tavorin::TakeFingerprint(pixels, 400, 100), 400, 100);
    look.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("one look at 400 x 100     n=%4zu  median %.3f ms (of which the X read %.3f ms)  p95 %.3f ms\n",
              look.size(), Percentile(look, 0.5), Percentile(read, 0.5), Percentile(look, 0.95));

  // From the moment the ready look is drawn to the wait's return.
  tavorin::MemoryListBox list1, list2, list3, list4;
  tavorin::MemoryTextBox text3, text4, text5;
  tavorin::RunControls controls{list1, list2, list3, list4, text3, text4, text5};
  tavorin::RunState state;
  tavorin::SystemClock clock;
  tavorin::RunContext run{platform, clock, controls, state};
  int timeouts = 0;
  run.halt = [&](const std::u16string&) { ++timeouts; };
  std::vector<double> latency;
  for (int i = 0; i < samples; ++i) {
    target.SetReady(false);
    platform.Sleep(50);
    Clock::time_point readyAt{};
    QTimer::singleShot(QRandomGenerator::global()->bounded(50, 400), [&] {
      target.SetReady(true);
      readyAt = Clock::now();
    });
    tavorin::WaitForScreen(run, line);
    latency.push_back(std::chrono::duration<double, std::milli>(Clock::now() - readyAt).count());
  }
  std::printf("ready to next action      n=%4d  median %.1f ms  p95 %.1f ms  (timeouts %d, looks every %d ms)\n",
              samples, Percentile(latency, 0.5), Percentile(latency, 0.95), timeouts,
              tavorin::kScreenLookIntervalMs);
  return 0;
}

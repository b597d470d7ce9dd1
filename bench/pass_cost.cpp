// What a pass costs apart from its pauses, against the size of the record
// list, on the real main window's lists with an input layer that does
// nothing. Also the status line's tick and the idle window's processor time.
//   QT_QPA_PLATFORM=offscreen build/release/bench/tavorin_pass_cost [passes]

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "core/execution/number_rules.h"
#include "core/run/action_pass.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/model_change_counter.h"

namespace {

using Clock = std::chrono::steady_clock;

class NoInput : public tavorin::Platform {
 public:
  void SetCursorPos(std::int32_t, std::int32_t) override {}
  void MouseEvent(std::uint32_t) override {}
  void KeyEvent(std::uint8_t, bool) override {}
  void Sleep(std::int32_t) override {}
  void ClearClipboard() override {}
  void SetClipboardText(const std::u16string&) override {}
  void ShowError(const std::u16string&) override {}
  void BeginStopWatch() override {}
  void EndStopWatch() override {}
  bool StopRequested() override { return false; }
  tavorin::DeliveryFault CheckDelivery(tavorin::DeliveryCheck) override { return tavorin::DeliveryFault::kNone; }
  void KeepAwake(bool) override {}
  std::vector<std::uint32_t> ReadScreenArea(const tavorin::ScreenRect&) override { return {}; }
  std::int64_t SteadyMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
  }
  tavorin::DoubleClickLimits DoubleClickSpan() override { return {}; }
};

double MedianMicros(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename Action>
double TimeEach(int times, Action action) {
  std::vector<double> micros;
  for (int i = 0; i < times; ++i) {
    const auto start = Clock::now();
    action(i);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return MedianMicros(micros);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int passes = argc > 1 ? std::max(3, std::atoi(argv[1])) : 200;
  tavorin::Form1 form;
  tavorin::Form1Controls& c = form.controls();
  for (const char16_t* line : {u"复制内容", u"粘贴内容", u"按下按键 13"}) c.list3.AddItem(line);
  tavorin::ModelChangeCounter recordChanges(*form.findChild<QListWidget*>(QStringLiteral("List1"))->model());
  NoInput platform;
  tavorin::SystemClock clock;

  double first = 0;
  for (int size : {100, 1000, 32767}) {
    c.list1.Clear();
    for (int i = 0; i < size; ++i) {
      c.list1.AddItem(u"第%i条记录 " + tavorin::DecimalText(i));
      c.list1.SetSelected(i, true);
    }
    tavorin::RunControls controls{c.list1, c.list2, c.list3, c.list4, c.text3, c.text4, c.text5, &recordChanges};
    tavorin::RunState state;
    tavorin::RunContext run{platform, clock, controls, state};
    const double perPass = TimeEach(passes, [&](int i) {
      state.passNumber = i + 1;
      tavorin::RunActionPass(run);
    });
    if (first == 0) first = perPass;
    const double tick = TimeEach(1000, [&](int) { c.flows.recordEditor().RefreshRecordStatus(); });
    // For comparison: the pass list rebuilt at every pass.
    controls.recordChanges = nullptr;
    const double rebuilding = TimeEach(std::max(3, passes / 10), [&](int i) {
      state.passNumber = i + 1;
      tavorin::RunActionPass(run);
    });
    std::printf("%5d records: pass median %8.1f us (x%.2f of 100 records; %9.1f us rebuilding the pass list), "
                "status tick %5.2f us\n",
                size, perPass, perPass / first, rebuilding, tick);
  }

  // The window left alone for five seconds with 32,767 records.
  form.show();
  QTimer::singleShot(5000, &app, &QApplication::quit);
  const std::clock_t cpuStart = std::clock();
  app.exec();
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  std::printf("idle window, 32767 records: %.3f %% of a core\n", cpuMs / 5000.0 * 100.0);
  return 0;
}

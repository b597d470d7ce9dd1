// How long a run of click, copy, paste, Enter and wait passes takes on the
// X11 platform with the stop watch on, against the sum of the pauses those
// lines prescribe (100 ms each, 200 ms for the wait). With "badge" the
// progress badge shows and follows every pass, as in a run from the window.
// Needs an X display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/release/bench/tavorin_run_fidelity [passes] [badge]
// Input goes to whatever window has the focus. Put a window that pastes in
// front (a text field at 5,5): the platform holds each pasted text until a
// window has fetched it, at most 500 ms after the Ctrl+V, and with no such
// window what of that the pass's own pauses leave shows in its clipboard time.

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/run/badge_placement.h"
#include "core/run/progress_texts.h"
#include "platform/x11/x11_platform.h"
#include "qt/qt_screens.h"
#include "qt/run_badge.h"
#include "core/run/stoppable_platform.h"
#include "core/run/action_pass.h"
#include "core/interfaces/memory_list_box.h"
#include "core/interfaces/memory_text_box.h"

namespace {

using Clock = std::chrono::steady_clock;

// Passes every call on and adds up where the time goes: the time inside each
// kind of call, and for pauses only what they last beyond their request.
class TimingPlatform : public tavorin::Platform {
 public:
  explicit TimingPlatform(tavorin::Platform& inner) : inner_(inner) {}

  void SetCursorPos(std::int32_t x, std::int32_t y) override {
    Time(kMove, [&] { inner_.SetCursorPos(x, y); });
  }
  void MouseEvent(std::uint32_t flags) override { Time(kMouse, [&] { inner_.MouseEvent(flags); }); }
  void KeyEvent(std::uint8_t key, bool up) override { Time(kKey, [&] { inner_.KeyEvent(key, up); }); }
  void Sleep(std::int32_t ms) override {
    const auto start = Clock::now();
    inner_.Sleep(ms);
    totals_[kPauseOver] += std::chrono::duration<double, std::milli>(Clock::now() - start).count() - ms;
  }
  void ClearClipboard() override { Time(kClipboard, [&] { inner_.ClearClipboard(); }); }
  void SetClipboardText(const std::u16string& text) override {
    Time(kClipboard, [&] { inner_.SetClipboardText(text); });
  }
  void ShowError(const std::u16string& message) override { inner_.ShowError(message); }
  void BeginStopWatch() override { inner_.BeginStopWatch(); }
  void EndStopWatch() override { inner_.EndStopWatch(); }
  bool StopRequested() override {
    bool stop = false;
    Time(kStopCheck, [&] { stop = inner_.StopRequested(); });
    return stop;
  }
  tavorin::DeliveryFault CheckDelivery(tavorin::DeliveryCheck when) override {
    tavorin::DeliveryFault fault{};
    Time(kStopCheck, [&] { fault = inner_.CheckDelivery(when); });
    return fault;
  }
  void KeepAwake(bool on) override { inner_.KeepAwake(on); }
  std::vector<std::uint32_t> ReadScreenArea(const tavorin::ScreenRect& area) override {
    return inner_.ReadScreenArea(area);
  }
  std::int64_t SteadyMs() override { return inner_.SteadyMs(); }
  tavorin::DoubleClickLimits DoubleClickSpan() override { return inner_.DoubleClickSpan(); }

  void Print(double totalOverMs, int passes) const {
    static const char* const kNames[] = {"pointer moves", "mouse buttons", "key events (with paste check)",
                                         "clipboard", "stop checks", "pauses beyond their length"};
    double accounted = 0;
    for (int i = 0; i < kKinds; ++i) {
      std::printf("  %-32s %7.3f ms per pass\n", kNames[i], totals_[i] / passes);
      accounted += totals_[i];
    }
    std::printf("  %-32s %7.3f ms per pass\n", "the rest (core, expansion)", (totalOverMs - accounted) / passes);
  }

 private:
  enum Kind { kMove, kMouse, kKey, kClipboard, kStopCheck, kPauseOver, kKinds };
  template <typename Call>
  void Time(Kind kind, Call call) {
    const auto start = Clock::now();
    call();
    totals_[kind] += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }

  tavorin::Platform& inner_;
  double totals_[kKinds] = {};
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const bool withBadge = argc > 2 && std::strcmp(argv[2], "badge") == 0;
  constexpr double kPrescribedPerPassMs = 600;

  tavorin::X11Platform x11;
  TimingPlatform timing(x11);
  tavorin::ClickSeparation clicks;
  tavorin::StoppablePlatform platform(timing, clicks);
  tavorin::SystemClock clock;
  tavorin::MemoryListBox records, pairs, actions, passList;
  tavorin::MemoryTextBox count, cooldown, mirror;
  for (const char16_t* record : {u"第%i条 %d %t", u"乙", u"丙"}) {
    records.AddItem(record);
    records.SetSelected(records.ListCount() - 1, true);
  }
  pairs.AddItem(u"条->号");
  for (const char16_t* line : {u"点击位置 5 5", u"复制内容", u"粘贴内容", u"按下按键 13", u"等候时长 0.2"}) {
    actions.AddItem(line);
  }
  tavorin::RunControls controls{records, pairs, actions, passList, count, cooldown, mirror};
  tavorin::RunState state;
  tavorin::RunContext run{platform, clock, controls, state};
  tavorin::RunBadge badge;
  if (withBadge) {
    const auto place = tavorin::PlaceBadge(tavorin::QtScreens().ScreenRects(), badge.BadgeSize(), {{5, 5}});
    if (!place) {
      std::fprintf(stderr, "no place for the badge\n");
      return 1;
    }
    badge.Show(*place, tavorin::kBadgeStopHint);
    run.progress = &badge;
  }

  std::vector<double> perPass;
  platform.BeginStopWatch();
  const auto start = Clock::now();
  for (int pass = 1; pass <= passes; ++pass) {
    const auto passStart = Clock::now();
    state.passNumber = pass;
    if (withBadge) badge.SetPass(tavorin::PassText(pass, passes));
    tavorin::RunActionPass(run);
    perPass.push_back(std::chrono::duration<double, std::milli>(Clock::now() - passStart).count());
  }
  const double totalMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  platform.EndStopWatch();
  if (withBadge) badge.Hide();
  std::printf("%s\n", withBadge ? "with the progress badge" : "without the progress badge");
  std::sort(perPass.begin(), perPass.end());
  std::printf("%d passes: %.1f ms for %.0f ms of prescribed pauses, ratio %.4f\n", passes, totalMs,
              passes * kPrescribedPerPassMs, totalMs / (passes * kPrescribedPerPassMs));
  std::printf("per pass: median %.2f ms, worst %.2f ms (prescribed %.0f ms): median %+.2f ms, worst %+.2f ms\n",
              perPass[perPass.size() / 2], perPass.back(), kPrescribedPerPassMs,
              perPass[perPass.size() / 2] - kPrescribedPerPassMs, perPass.back() - kPrescribedPerPassMs);
  std::printf("where the time beyond the pauses goes:\n");
  timing.Print(totalMs - passes * kPrescribedPerPassMs, passes);
  return 0;
}

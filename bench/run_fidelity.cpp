// How long a run of copy, paste and Enter passes takes on the X11 platform,
// against the sum of the pauses those lines prescribe (100 ms each). Needs
// an X display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/release/bench/tavorin_run_fidelity [passes]
// Input goes to whatever window has the focus.

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/x11/x11_platform.h"
#include "core/run/action_pass.h"
#include "core/interfaces/memory_list_box.h"

namespace {

using Clock = std::chrono::steady_clock;

class PlainTextBox : public tavorin::TextBox {
 public:
  std::u16string Text() const override { return text_; }
  void SetText(const std::u16string& text) override { text_ = text; }
  void Select(int, int) override {}
  bool SetFocus() override { return false; }
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}

 private:
  std::u16string text_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  constexpr double kPrescribedPerPassMs = 300;

  tavorin::X11Platform platform;
  tavorin::SystemClock clock;
  tavorin::MemoryListBox records, pairs, actions, passList;
  PlainTextBox count, cooldown, mirror;
  for (const char16_t* record : {u"第%i条 %d %t", u"乙", u"丙"}) {
    records.AddItem(record);
    records.SetSelected(records.ListCount() - 1, true);
  }
  pairs.AddItem(u"条->号");
  for (const char16_t* line : {u"复制内容", u"粘贴内容", u"按下按键 13"}) actions.AddItem(line);
  tavorin::RunControls controls{records, pairs, actions, passList, count, cooldown, mirror};
  tavorin::RunState state;
  tavorin::RunContext run{platform, clock, controls, state};

  std::vector<double> perPass;
  const auto start = Clock::now();
  for (int pass = 1; pass <= passes; ++pass) {
    const auto passStart = Clock::now();
    state.passNumber = pass;
    tavorin::RunActionPass(run);
    perPass.push_back(std::chrono::duration<double, std::milli>(Clock::now() - passStart).count());
  }
  const double totalMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::sort(perPass.begin(), perPass.end());
  std::printf("%d passes: %.1f ms for %.0f ms of prescribed pauses, ratio %.4f\n", passes, totalMs,
              passes * kPrescribedPerPassMs, totalMs / (passes * kPrescribedPerPassMs));
  std::printf("per pass: median %.2f ms, worst %.2f ms (prescribed %.0f ms)\n",
              perPass[perPass.size() / 2], perPass.back(), kPrescribedPerPassMs);
  return 0;
}

// Waiting for the screen: the fingerprint and its tolerance, the line and
// the check of it, and the look-and-pause loop on a virtual clock.
#include "core/run/screen_wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/actions/screen_fingerprint.h"
#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/list_text_file.h"
#include "core/run/action_list_check.h"
#include "fake_run_window.h"
#include "memory_file_system.h"

namespace tavorin {
namespace {

using Pixels = std::vector<std::uint32_t>;
using Texts = std::vector<std::string>;

// A synthetic 400 × 100 area drawn with the few shapes a form is made of.
struct Picture {
  Pixels pixels = Pixels(400 * 100, 0xF0F0F0);
  Picture& Box(int x, int y, int w, int h, std::uint32_t colour) {
    for (int r = y; r < y + h; ++r) std::fill_n(pixels.begin() + r * 400 + x, w, colour);
    return *this;
  }
  // Each character a 6 × 12 glyph of 2-pixel strokes its code chooses.
  Picture& Text(int x, int y, std::string_view text) {
    for (int i = 0; i < int(text.size()); ++i) {
      for (int bit = 0; bit < 12; ++bit) {
        if ((text[i] * 2654435761u >> (bit + 7)) & 1) Box(x + 8 * i + bit % 3 * 2, y + bit / 3 * 3, 2, 3, 0x202020);
      }
    }
    return *this;
  }
  std::vector<std::uint8_t> Fingerprint() const { return TakeFingerprint(pixels, 400, 100); }
};

// A label and an empty white field with a grey frame.
Picture Form() { return Picture().Text(8, 44, "Name:").Box(80, 30, 300, 30, 0x808080).Box(81, 31, 298, 28, 0xFFFFFF); }

TEST(ScreenFingerprint, ACaretPointerOrSmoothingMatchesButNotOtherTextAnEmptyFieldOrADialog) {
  Picture noisy = Form(), pointer = Form();
  std::mt19937 random(7);
  // Every pixel up to 4 shades lighter.
  for (auto& p : noisy.pixels) p = 0x010101u * std::min<std::uint32_t>((p & 0xFF) + random() % 5, 255);
  for (int r = 0; r < 18; ++r) pointer.Box(200, 38 + r, 1, 1, 0).Box(200 + std::min(r, 10), 38 + r, 1, 1, 0);
  // Carets of 1 and 2 pixels, the second across a cell's edge; the pointer.
  for (const Picture& now : {Form(), Form().Box(84, 34, 1, 22, 0), Form().Box(219, 33, 2, 24, 0), noisy, pointer}) {
    EXPECT_TRUE(LooksAlike(Form().Fingerprint(), now.Fingerprint(), 400, 100));
  }
  // A filled field, the page not there yet, a dialog; another text.
  for (const Picture& now : {Form().Text(86, 40, "Alice"), Picture(), Form().Box(140, 20, 120, 60, 0xD0D0D0)}) {
    EXPECT_FALSE(LooksAlike(Form().Fingerprint(), now.Fingerprint(), 400, 100));
  }
  const auto alice = Form().Text(86, 40, "Alice").Fingerprint();
  EXPECT_FALSE(LooksAlike(alice, Form().Text(86, 40, "Bobby").Fingerprint(), 400, 100));
  // An area one pixel wide or high has one too.
  EXPECT_FALSE(TakeFingerprint(Pixels(3), 1, 3).empty() || TakeFingerprint(Pixels(3), 3, 1).empty());
}

// The line a picker makes comes back whole from an action file and stays
// short for the largest area; the check names what is wrong with a line.
TEST(ScreenWaitLine, TravelsThroughAFileAndTheCheckNamesWhatIsWrong) {
  const std::u16string line = ScreenWaitLine({-20, 30, 400, 100}, Form().pixels);
  MemoryListBox written, read;
  testing::Fill(written, {line, ScreenWaitLine({0, 0, 32767, 1}, Pixels(32767))});
  testing::MemoryFileSystem files;
  WriteListLines(u"a.txt", written, files);
  ReadLinesIntoList(u"a.txt", read, false, files);
  EXPECT_EQ(testing::Items(read), testing::Items(written));
  EXPECT_LT(read.List(1).size(), 600u);
  EXPECT_EQ(ReadScreenWaitLine(read.List(0)).wait->fingerprint, Form().Fingerprint());

  const std::u16string data = line.substr(line.rfind(u' '));
  const std::u16string kPlace = u"等候画面的位置须为整数。", kSize = u"等候画面的宽和高须为 1 到 32767 的整数。";
  const std::u16string kSeconds = u"等候画面的秒数须大于 0，最多 86400。", kData = u"等候画面的画面数据不完整或已损坏。";
  const std::pair<std::u16string, std::u16string> lines[] = {
      {u"等候画面  1  2 400 100 0.5" + data, u""}, {u"等候画面 -9 9 1 1 86400 A", u""},
      {u"等候画面 1 2 400 100 1e3" + data, kSeconds}, {u"等候画面 1 2 400 100 86401" + data, kSeconds},
      {u"等候画面1 2 400 100 10" + data, u"等候画面应写作“等候画面 X Y 宽 高 秒数 画面数据”。"},
      {u"等候画面 1.5 2 400 100 10" + data, kPlace}, {u"等候画面 1 2.5 400 100 10" + data, kPlace},
      {u"等候画面 -2147483649 2 400 100 10" + data, kPlace}, {u"等候画面 1 2147483648 400 100 10" + data, kPlace},
      {u"等候画面 1 2 x 100 10" + data, kSize}, {u"等候画面 1 2 0 100 10" + data, kSize},
      {u"等候画面 1 2 32768 100 10" + data, kSize}, {u"等候画面 1 2 400 32768 10" + data, kSize},
      {u"等候画面 1 2 400 99 10" + data, kData}, {u"等候画面 1 2 400 100 10" + data.substr(0, 400) + u"!", kData}};
  MemoryListBox list;
  std::vector<ActionLineFinding> expected;
  for (const auto& [text, problem] : lines) {
    list.AddItem(text);
    if (!problem.empty()) expected.push_back({list.ListCount(), problem});
  }
  const ActionListReview review = ReviewActionList(list, {}, testing::FixedClock());
  EXPECT_EQ(review.findings, expected);
  EXPECT_EQ(review.waitAreas, (std::vector<ScreenRect>{{1, 2, 400, 100}, {-9, 9, 1, 1}}));
}

// Looks every 25 ms and goes on at the first look that matches; after T
// seconds without one the run halts, naming the line (the count follows in
// the controller's box, tested end to end); Esc ends the wait at once; an
// area the screen cannot give, or a malformed line, halts the run too.
TEST(ScreenWait, GoesOnAtAMatchAfterAChangeOrOnceItHoldsHaltsAfterTSecondsAndStopsOnEsc) {
  testing::RunParts parts;
  RunState state;
  Texts halts;
  RunContext run{parts.platform, parts.clock, parts.controls, state};
  run.halt = [&](const std::u16string& reason) { halts.push_back(testing::ToUtf8(reason)); };
  run.lineNumber = 3;
  parts.platform.BeginStopWatch();
  // The form is there from 90 ms to 1 s.
  const auto formFrom90To1000 = [](const ScreenRect&, std::int64_t ms) {
    return (ms >= 90 && ms < 1000 ? Form() : Picture()).pixels;
  };
  parts.platform.screen = formFrom90To1000;
  const std::u16string wait = ScreenWaitLine({5, 6, 400, 100}, Form().pixels, u"0.2");
  WaitForScreen(run, wait);
  const Texts log = parts.platform.TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "read 5 6 400 100"), 5);  // at 0, 25 .. 100 ms
  EXPECT_EQ(log.back(), "read 5 6 400 100");  // and no pause after the match
  parts.platform.Sleep(1000 - 100);
  WaitForScreen(run, wait);
  EXPECT_EQ(parts.platform.NowMs(), 1200);  // the last look comes at T, the ninth
  EXPECT_EQ(std::ranges::count(parts.platform.Log(), std::string("read 5 6 400 100")), 9);
  // A form there from the first look may be the page from before the last
  // input: it must hold 300 ms; one that went and came back is trusted at once.
  const std::int64_t from = parts.platform.NowMs();
  parts.platform.screen = [from](const ScreenRect&, std::int64_t ms) {
    return (ms - from < 50 || ms - from >= 100 ? Form() : Picture()).pixels;
  };
  WaitForScreen(run, ScreenWaitLine({5, 6, 400, 100}, Form().pixels, u"2"));
  EXPECT_EQ(parts.platform.NowMs() - from, 100);
  parts.platform.screen = [](const ScreenRect&, std::int64_t) { return Form().pixels; };
  WaitForScreen(run, ScreenWaitLine({5, 6, 400, 100}, Form().pixels, u"2"));
  EXPECT_EQ(parts.platform.NowMs() - from, 100 + 300);
  parts.platform.screen = formFrom90To1000;
  parts.platform.PressStopAt(parts.platform.NowMs() + 10);
  WaitForScreen(run, wait);
  EXPECT_EQ(parts.platform.TakeLog().back(), "sleep 25 stopped after 10");
  parts.platform.BeginStopWatch();
  parts.platform.screen = nullptr;
  WaitForScreen(run, wait);
  WaitForScreen(run, u"等候画面 5 6 400 100 0.2");
  EXPECT_EQ(halts, (Texts{"第 3 行等候画面超时（0.2 秒）：画面与记录时不同。", "第 3 行等候画面：无法读取屏幕上的这个区域。",
                          "第 3 行等候画面应写作“等候画面 X Y 宽 高 秒数 画面数据”。"}));
}

}  // namespace
}  // namespace tavorin

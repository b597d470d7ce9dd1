// Waiting for the screen: the fingerprint and its tolerance, the line and
// the check of it, and the look-and-pause loop on a virtual clock.
#include "core/run/screen_wait.h"

#include <gtest/gtest.h>

#include <random>

#include "core/actions/screen_fingerprint.h"
#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/list_text_file.h"
#include "core/run/action_list_check.h"
#include "fake_run_window.h"
#include "memory_file_system.h"

namespace tavorin {
namespace {

using testing::ToUtf8;

// A synthetic screen area, drawn with the few shapes a form is made of.
struct Picture {
  std::int32_t width = 400, height = 100;
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(400 * 100, 0xF0F0F0);
  Picture& Box(int x, int y, int w, int h, std::uint32_t colour) {
    for (int r = y; r < y + h; ++r) std::fill_n(pixels.begin() + r * width + x, w, colour);
    return *this;
  }
  // Each character a 6 × 12 glyph of 2-pixel strokes its code chooses.
  Picture& Text(int x, int y, std::string_view text) {
    for (const char c : text) {
      for (int bit = 0; bit < 12; ++bit) {
        if ((c * 2654435761u >> (bit + 7)) & 1) Box(x + bit % 3 * 2, y + bit / 3 * 3, 2, 3, 0x202020);
      }
      x += 8;
    }
    return *this;
  }
  std::vector<std::uint8_t> Fingerprint() const { return TakeFingerprint(pixels, width, height); }
};

// A label and an empty white field with a grey frame.
Picture Form() { return Picture().Text(8, 44, "Name:").Box(80, 30, 300, 30, 0x808080).Box(81, 31, 298, 28, 0xFFFFFF); }

TEST(ScreenFingerprint, ACaretPointerOrSmoothingMatchesButNotOtherTextAnEmptyFieldOrADialog) {
  const Picture ready = Form();
  Picture noisy = Form();
  std::mt19937 random(7);
  for (auto& p : noisy.pixels) {  // every pixel drawn up to 4 shades lighter
    const int grey = std::min(int(p & 0xFF) + int(random() % 5), 255);
    p = 0x010101u * grey;
  }
  Picture pointer = Form();
  for (int r = 0; r < 18; ++r) pointer.Box(200, 38 + r, 1, 1, 0).Box(200 + std::min(r, 10), 38 + r, 1, 1, 0);
  const struct {
    const char* what;
    Picture now;
    bool alike;
  } cases[] = {
      {"same", Form(), true},
      {"caret", Form().Box(84, 34, 1, 22, 0), true},
      {"wide caret on a cell edge", Form().Box(219, 33, 2, 24, 0), true},
      {"smoothing", noisy, true},
      {"pointer", pointer, true},
      {"filled field", Form().Text(86, 40, "Alice"), false},
      {"page not there yet", Picture(), false},
      {"dialog", Form().Box(140, 20, 120, 60, 0xD0D0D0).Text(150, 40, "Error"), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LooksAlike(ready.Fingerprint(), c.now.Fingerprint(), 400, 100), c.alike) << c.what;
  const Picture alice = Form().Text(86, 40, "Alice");
  EXPECT_FALSE(LooksAlike(alice.Fingerprint(), Form().Text(86, 40, "Bobby").Fingerprint(), 400, 100));
  // A tiny area is looked at pixel by pixel; a huge one in at most 512 cells.
  EXPECT_EQ(GridFor(10, 3).columns * GridFor(10, 3).rows, 30);
  const FingerprintGrid screen = GridFor(32767, 32767);
  EXPECT_LE(screen.columns * screen.rows, kMostFingerprintCells);
  EXPECT_GE(screen.columns * screen.rows, kMostFingerprintCells * 3 / 4);
}

ActionListReview Review(const testing::Lines& lines) {
  MemoryListBox list;
  testing::Fill(list, lines);
  return ReviewActionList(list, {}, testing::FixedClock());
}

// The line a picker makes comes back whole from an action file and stays
// short for the largest area; the check names what is wrong with a line.
TEST(ScreenWaitLine, TravelsThroughAFileAndTheCheckNamesWhatIsWrong) {
  const std::u16string line = ScreenWaitLine({-20, 30, 400, 100}, Form().pixels);
  ASSERT_TRUE(line.starts_with(u"等候画面 -20 30 400 100 10 "));
  testing::MemoryFileSystem files;
  MemoryListBox written, read;
  testing::Fill(written, {line, ScreenWaitLine({0, 0, 32767, 1}, std::vector<std::uint32_t>(32767))});
  WriteListLines(u"a.txt", written, files);
  ReadLinesIntoList(u"a.txt", read, false, files);
  EXPECT_EQ(testing::Items(read), testing::Items(written));
  EXPECT_LT(read.List(1).size(), 600u);
  EXPECT_EQ(ReadScreenWaitLine(read.List(0)).wait->fingerprint, Form().Fingerprint());

  const std::u16string data = u" " + line.substr(line.rfind(u' ') + 1);
  const std::u16string shape = u"等候画面应写作“等候画面 X Y 宽 高 秒数 画面数据”。";
  const std::u16string position = u"等候画面的位置须为整数。";
  const std::u16string size = u"等候画面的宽和高须为 1 到 32767 的整数。";
  const std::u16string seconds = u"等候画面的秒数须大于 0，最多 86400。";
  const std::u16string damaged = u"等候画面的画面数据不完整或已损坏。";
  const std::pair<std::u16string, std::u16string> malformed[] = {
      {u"等候画面1 2 400 100 10" + data, shape},    {u"等候画面 1 2 400 100 10", shape},
      {u"等候画面 1.5 2 400 100 10" + data, position}, {u"等候画面 9999999999 2 400 100 10" + data, position},
      {u"等候画面 1 2 0 100 10" + data, size},      {u"等候画面 1 2 400 32768 10" + data, size},
      {u"等候画面 1 2 400 100 0" + data, seconds},  {u"等候画面 1 2 400 100 -1" + data, seconds},
      {u"等候画面 1 2 400 100 1e3" + data, seconds}, {u"等候画面 1 2 400 100 86401" + data, seconds},
      {u"等候画面 1 2 400 99 10" + data, damaged},  {u"等候画面 1 2 400 100 10" + data + u"=", damaged},
      {u"等候画面 1 2 400 100 10" + data.substr(0, data.size() - 1) + u"!", damaged}};
  testing::Lines lines = {u"等候画面  1  2 400 100 0.5" + data};
  std::vector<ActionLineFinding> expected;
  for (const auto& [text, problem] : malformed) {
    lines.push_back(text);
    expected.push_back({static_cast<int>(lines.size()), problem});
  }
  const ActionListReview review = Review(lines);
  EXPECT_EQ(review.findings, expected);
  EXPECT_EQ(review.waitAreas, (std::vector<ScreenRect>{{1, 2, 400, 100}}));
}

class ScreenWaitTest : public ::testing::Test, protected testing::RunParts {
 protected:
  ScreenWaitTest() {
    run.halt = [this](const std::u16string& reason) { halts.push_back(ToUtf8(reason)); };
    platform.BeginStopWatch();
  }
  // The form appears at `readyAt` ms of virtual time.
  void FormReadyAt(std::int64_t readyAt) {
    platform.screen = [readyAt](const ScreenRect& area, std::int64_t now) {
      EXPECT_EQ(area, (ScreenRect{5, 6, 400, 100}));
      return now >= readyAt ? Form().pixels : Picture().pixels;
    };
  }
  RunState state;
  RunContext run{platform, clock, controls, state};
  std::vector<std::string> halts;
  const std::u16string wait = ScreenWaitLine({5, 6, 400, 100}, Form().pixels, u"0.2");
};

// Looks every 25 ms and goes on at the first look that matches; after T
// seconds without one the run halts, naming the line; Esc ends the wait at
// once; an area the screen cannot give halts the run too.
TEST_F(ScreenWaitTest, GoesOnAtTheFirstMatchHaltsAfterTSecondsAndStopsOnEsc) {
  testing::Fill(list3, {u"粘贴内容", wait, u"粘贴内容"});
  FormReadyAt(190);
  RunActionPass(run);
  std::vector<std::string> log = platform.TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "read 5 6 400 100"), 5);  // at 100, 125 .. 200 ms
  EXPECT_EQ(log[log.size() - 7], "read 5 6 400 100");
  EXPECT_EQ(platform.NowMs(), 200 + 100);
  EXPECT_TRUE(halts.empty());

  FormReadyAt(1000000);
  const std::int64_t start = platform.NowMs();
  RunActionPass(run);
  EXPECT_EQ(platform.NowMs() - start, 100 + 200 + 100);  // the wait's last look is at T
  EXPECT_EQ(halts, (std::vector<std::string>{"第 2 行等候画面超时（0.2 秒）：画面与记录时不同。"}));

  platform.PressStopAt(platform.NowMs() + 60);
  RunActionLine(run, wait);
  EXPECT_EQ(platform.TakeLog().back(), "sleep 25 stopped after 10");
  platform.BeginStopWatch();
  platform.screen = nullptr;
  halts.clear();
  run.lineNumber = 4;
  RunActionLine(run, wait);
  RunActionLine(run, u"等候画面 5 6 400 100 0.2");
  EXPECT_EQ(halts, (std::vector<std::string>{"第 4 行等候画面：无法读取屏幕上的这个区域。",
                                             "第 4 行等候画面应写作“等候画面 X Y 宽 高 秒数 画面数据”。"}));
}

}  // namespace
}  // namespace tavorin

// A run from "启动" to its end, the badge that shows how far it has come, and
// the platform that stops it.
#include "core/run/run_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/actions/screen_wait_line.h"
#include "core/execution/number_rules.h"
#include "core/run/badge_placement.h"
#include "core/run/progress_texts.h"
#include "core/run/stoppable_platform.h"
#include "fake_message_boxes.h"
#include "fake_run_window.h"

namespace tavorin {
namespace {

using testing::ToUtf8;
using Log = std::vector<std::string>;

// Logs the badge's calls among the platform's, so a test sees when they come.
struct LoggingProgress : RunProgress, ScreenLayout {
  explicit LoggingProgress(testing::RecordingPlatform& log) : log_(log) {}
  std::vector<ScreenRect> ScreenRects() const override { return screens; }
  ScreenSize BadgeSize() const override { return {300, 80}; }
  void Show(ScreenPoint at, const std::u16string& hint) override {
    log_.Note("badge at " + std::to_string(at.x) + "," + std::to_string(at.y) + " " + ToUtf8(hint));
  }
  void SetPass(const std::u16string& text) override { log_.Note("badge " + ToUtf8(text)); }
  void SetRecord(const std::u16string& text) override { log_.Note("badge record " + ToUtf8(text)); }
  void Hide() override { log_.Note("badge hidden"); }
  std::vector<ScreenRect> screens = {{0, 0, 1280, 1024}};
  testing::RecordingPlatform& log_;
};

class RunControllerTest : public ::testing::Test, protected testing::RunParts {
 protected:
  void Run(int records, const testing::Lines& actions, const char16_t* count, const char16_t* cooldown = u"") {
    list1.Clear();
    for (int i = 1; i <= records; ++i) testing::Fill(list1, {std::u16string{u'r', char16_t(u'0' + i)}}, true);
    list3.Clear();
    testing::Fill(list3, actions);
    text3.SetText(count);
    text4.SetText(cooldown);
    boxes.shown.clear();
    platform.TakeLog();
    controller.Start();
  }

  testing::FakeRunWindow window{platform};
  testing::FakeMessageBoxes boxes;
  int acquired = 0;
  bool platformAvailable = true;
  RunController controller{controls, window, boxes, clock, [this]() -> Platform* {
                             ++acquired;
                             return platformAvailable ? &platform : nullptr;
                           }};
};

// Each refusal comes before the window hides or a setting changes.
TEST_F(RunControllerTest, RefusalsChangeNothing) {
  const std::u16string manyPasses = u"“次数”超出范围：最多 2147483647 次。", longCooldown = u"“冷却”超出范围：最多 2147483 秒。";
  const std::tuple<int, const char16_t*, const char16_t*, std::u16string> cases[] = {  // records, count, cooldown, box
      {0, u"", u"", u"尚未导入文本数据。"}, {1, u"3e9", u"", manyPasses}, {1, u"2147483647.5", u"", manyPasses},
      {1, u"", u"2147484", longCooldown}, {1, u"", u"1e300", longCooldown}};
  for (const auto& [records, count, cooldown, message] : cases) {
    Run(records, {}, count, cooldown);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::pair(boxes.shown[0].text, boxes.shown[0].icon), std::pair(message, MessageIcon::kCritical));
    EXPECT_EQ(text3.Text() + u"|" + text4.Text(), std::u16string(count) + u"|" + cooldown);
  }
  list1.SetSelected(0, false);
  controller.Start();
  EXPECT_EQ(boxes.shown.back().text, u"尚未选择文本数据。");
  boxes.answers = {MessageAnswer::kNo};  // the confirmation answered No
  Run(1, {}, u"");
  EXPECT_EQ(boxes.shown.back().buttons, MessageButtons::kYesNo);
  EXPECT_EQ(acquired, 0);
  platformAvailable = false;  // no input platform: no run
  controller.Start();
  EXPECT_EQ(acquired, 1);
  EXPECT_EQ(text3.Text(), u"");
  EXPECT_TRUE(platform.Log().empty());
}

// An empty or bad count means one pass per checked record; halves round to
// even. Every run starts at the first record; passes end with the refresh
// key (F5 when none is chosen), then the cooldown in whole seconds.
TEST_F(RunControllerTest, CountsRefreshAndCooldown) {
  Run(3, {u"复制内容"}, u"");
  EXPECT_EQ(text4.Text(), u"0");
  Run(3, {u"复制内容"}, u"2");
  EXPECT_EQ(platform.Clipboard(), u"r2");
  const std::pair<std::u16string, int> cases[] = {{u"", 3}, {u"abc", 3}, {u"2.5", 2}, {u"3.5", 4}, {u"0.4", 0},
                                                  {u"&H2", 2}};
  for (const auto& [count, passes] : cases) {
    Run(3, {}, count.c_str());
    EXPECT_EQ(controller.State().runCount, passes) << ToUtf8(count);
    EXPECT_EQ(text3.Text(), passes == 3 ? u"3" : count) << ToUtf8(count);
  }
  window.refresh = true;
  window.keyIndex = -1;
  Run(1, {u"按下按键 13"}, u"1", u"1.5");
  EXPECT_EQ(platform.Log(), (Log{"awake on", "hide", "check before", "key 13 down", "key 13 up", "sleep 50",
                                 "sleep 50", "check pass end", "check before", "key 116 down", "key 116 up",
                                 "sleep 50", "sleep 2000", "awake off", "show"}));
  window.keyIndex = 1;
  Run(1, {}, u"1", u"2147483");  // the largest cooldown
  EXPECT_EQ(platform.Log(), (Log{"awake on", "hide", "check pass end", "check before", "key 17 down", "check before", "key 82 down",
                                 "key 82 up", "key 17 up", "sleep 50", "sleep 2147483000", "awake off", "show"}));
}

// Esc ends the pause running at once; the message counts every pass whose
// lines all reached the target, a stop in the pauses after them included.
TEST_F(RunControllerTest, AStopEndsThePauseAtOnceAndCountsTheCompletedPasses) {
  const testing::Lines copyPasteWait = {u"复制内容", u"粘贴内容", u"等候时长 1"};  // 0-100, 100-200, 200-1200 ms
  // Lines, cooldown, when Esc comes after the run began (-1: never), passes completed.
  const std::tuple<testing::Lines, const char16_t*, std::int64_t, int> cases[] = {
      // Copy's first settle, before the text is set; after the copy, before the paste.
      {copyPasteWait, u"", 1, 0}, {copyPasteWait, u"", 99, 0},
      // In the pause right after Ctrl+V; at the very end of the paste's settle.
      {copyPasteWait, u"", 101, 1}, {copyPasteWait, u"", 200, 1},
      // In the trailing wait; the second pass's copy; its closing settle; the last pass's wait.
      {copyPasteWait, u"", 700, 1}, {copyPasteWait, u"", 1225, 1},
      {copyPasteWait, u"", 1350, 2}, {copyPasteWait, u"", 3599, 3},
      {{u"等候时长 600", u"插入内容 x"}, u"", 600000 + 50 + 1234, 1},
      {{u"粘贴内容"}, u"60", 2 * 60100 + 30100, 3},  // in the third cooldown
      {{u"粘贴内容"}, u"0", -1, 3},                   // an old stop does not stop a later run
  };
  for (const auto& [lines, cooldown, stopAt, completed] : cases) {
    if (stopAt >= 0) platform.PressStopAt(platform.NowMs() + stopAt);
    Run(1, lines, u"3", cooldown);
    // Nothing but the pass's closing check follows the stopped pause; every run ends the same.
    const Log log = platform.Log();
    const auto stop = std::ranges::find_if(log, [](const std::string& e) { return e.find(" stopped ") != e.npos; });
    Log after(stop == log.end() ? log.end() - 2 : stop + 1, log.end());
    std::erase(after, "check pass end");
    EXPECT_EQ(after, (Log{"awake off", "show"})) << stopAt;
    EXPECT_FALSE(platform.Watching());
    ASSERT_EQ(boxes.shown.size(), stopAt < 0 ? 1u : 2u) << stopAt;
    const std::u16string stopped = u"执行已停止：已完成 " + DecimalText(completed) + u" 次，共 3 次。";
    EXPECT_EQ(boxes.shown.back().text, stopAt < 0 ? boxes.shown[0].text : stopped) << stopAt;
  }
}

// A fault the platform reports halts the run before the input it was asked
// about; the box says why, and the pass it came in does not count. Each pass
// asks five times: before the click's press (the pointer already moved),
// before Ctrl and V, at its end, before F5.
TEST_F(RunControllerTest, ADeliveryFaultHaltsBeforeTheInputAndItsPassDoesNotCount) {
  window.refresh = true;
  const std::u16string lost2 = u"第 2 次的记录“r2”未能粘贴：剪贴板被其他程序占用。";
  // The fault, the checks that pass before it, the desktop's note on unreachable windows, the box.
  const std::tuple<DeliveryFault, int, std::u16string, std::u16string, int> cases[] = {
      {DeliveryFault::kInputBlocked, 0, u"", u"屏幕已锁定或输入被其他程序占用，", 0},
      {DeliveryFault::kClipboardLost, 6, u"", lost2, 1},
      {DeliveryFault::kClipboardLost, 8, u"", lost2, 1},  // known only at the pass's end
      {DeliveryFault::kTargetElevated, 4, u"", u"目标窗口以管理员身份运行，Tavorin 也须以管理员身份启动才能填写它。", 1},
      {DeliveryFault::kTargetUnreachable, 5, u"", u"指针所在的窗口收不到 Tavorin 的输入。", 1},
      {DeliveryFault::kTargetUnreachable, 11, u"那是 Wayland 窗口。", u"那是 Wayland 窗口。", 2},
  };
  for (const auto& [fault, checksBefore, unreachableNote, reason, completed] : cases) {
    controller.SetDesktopNotes({u"", unreachableNote});
    platform.FailDelivery(fault, checksBefore);
    Run(2, {u"点击位置 10 10", u"复制内容", u"粘贴内容"}, u"3");
    const Log log = platform.Log();
    auto failed = log.begin();
    for (int checks = 0; checks <= checksBefore; ++failed) checks += failed->starts_with("check");
    EXPECT_EQ(Log(failed, log.end()), (Log{"awake off", "show"})) << checksBefore;
    ASSERT_EQ(boxes.shown.size(), 2u);
    const std::u16string stopped = reason + u"执行已停止：已完成 " + DecimalText(completed) + u" 次，共 3 次。";
    EXPECT_EQ(std::pair(boxes.shown[1].text, boxes.shown[1].icon), std::pair(stopped, MessageIcon::kCritical));
  }
}

TEST_F(RunControllerTest, FaultyLinesAreListedBeforeTheQuestionAndNoIsTheDefault) {
  const std::u16string usual =
      u"即将开始执行动作。请确保\r\n1、将所需的窗口最大化，并且置于顶层。\r\n2、执行动作期间请不要操纵鼠标和键盘。\r\n"
      u"执行期间按 Esc 键可以停止。\r\n继续吗？";
  Run(1, {u"复制内容"}, u"");
  EXPECT_EQ(std::pair(boxes.shown[0].text, boxes.shown[0].defaultAnswer), std::pair(usual, MessageAnswer::kYes));
  Run(1, {u"复制内容", u"按下按键 86 9", u"等候时长 1e306"}, u"");  // Enter takes the default: no run
  EXPECT_EQ(boxes.shown[0].text, u"第 2 行：修饰键（末尾的数字）要在 0 到 7 之间；执行时会报“参数错误”，不按键。\r\n"
                                 u"第 3 行：秒数超出范围：最多 2147483 秒；执行时会报“参数错误”，不等候。\r\n\r\n" + usual);
  EXPECT_EQ(std::pair(boxes.shown[0].caption, boxes.shown[0].defaultAnswer),
            std::pair(std::u16string(u"开始"), MessageAnswer::kNo));
  EXPECT_EQ(acquired, 1);
  boxes.answers = {MessageAnswer::kYes};  // the user runs it anyway
  controller.Start();
  EXPECT_EQ(acquired, 2);
  controller.SetDesktopNotes({u"只能填写 X11 程序。", u""});
  Run(1, {u"复制内容"}, u"");
  EXPECT_EQ(boxes.shown[0].text, usual.substr(0, usual.size() - 4) + u"只能填写 X11 程序。\r\n继续吗？");
}

// The badge's calls, the window's and the copied texts, in order.
TEST_F(RunControllerTest, TheBadgeShowsEachPassAndRecordAwayFromTheClicksAndGoesWithTheRun) {
  LoggingProgress progress(platform);
  controller.SetRunFeedback(&progress, &progress);
  const auto seen = [&] {
    Log log = platform.Log();
    std::erase_if(log, [](const std::string& e) {
      return !e.starts_with("badge") && e != "hide" && e != "show" && !e.starts_with("clipboard r") &&
             !e.starts_with("move") && e.find("stopped") == std::string::npos;
    });
    return log;
  };
  // A screen wait's area is kept clear too, and the badge says while it waits.
  platform.screen = [](const ScreenRect&, std::int64_t) { return std::vector<std::uint32_t>(40 * 30); };
  const std::u16string wait = ScreenWaitLine({0, 0, 40, 30}, std::vector<std::uint32_t>(40 * 30));
  Run(2, {u"点击位置 1200 1000", u"复制内容", wait}, u"");
  // From its start a pass shows the record it will enter.
  EXPECT_EQ(seen(), (Log{"hide", "badge at 972,8 Esc 停止", "badge 第 1/2 次", "badge record r1", "move 1200 1000",
                         "clipboard r1", "badge record 等候画面…", "badge record r1", "badge 第 2/2 次",
                         "badge record r2", "move 1200 1000", "clipboard r2", "badge record 等候画面…",
                         "badge record r2", "badge hidden", "show"}));
  // A stop takes the badge away too. (The first click waits 50 ms: the last
  // run's clicked the same spot after its copy.)
  platform.PressStopAt(platform.NowMs() + 500);
  Run(2, {u"点击位置 1200 1000", u"复制内容", u"等候时长 10"}, u"");
  EXPECT_EQ(seen(), (Log{"hide", "badge at 8,8 Esc 停止", "badge 第 1/2 次", "badge record r1", "move 1200 1000",
                         "clipboard r1", "sleep 10000 stopped after 250", "badge hidden", "show"}));
  Run(1, {u"点击位置 1200 1000", wait}, u"");  // no copy line: no record, not even the last run's
  EXPECT_EQ(seen(), (Log{"hide", "badge at 972,8 Esc 停止", "badge 第 1/1 次", "move 1200 1000",
                         "badge record 等候画面…", "badge record ", "badge hidden", "show"}));
  progress.screens = {{0, 0, 316, 96}};  // no place clear of the click: no badge
  Run(1, {u"点击位置 100 50"}, u"");
  EXPECT_EQ(seen(), (Log{"hide", "move 100 50", "show"}));
}

TEST(StoppablePlatform, ReleasesWhatIsHeldAndLetsNothingThroughAfterAStop) {
  testing::RecordingPlatform inner;
  ClickSeparation clicks;
  StoppablePlatform guarded(inner, clicks);
  guarded.BeginStopWatch();
  guarded.KeyEvent(17, false);
  guarded.KeyEvent(16, false);
  guarded.KeyEvent(16, true);
  guarded.MouseEvent(kLeftDown | kRightDown | kRightUp);
  inner.PressStopAt(10);
  guarded.Sleep(100);
  guarded.SetCursorPos(1, 1);
  guarded.KeyEvent(65, false);
  guarded.SetClipboardText(u"x");
  guarded.ShowError(u"e");
  guarded.Sleep(50);
  EXPECT_TRUE(guarded.StopRequested());
  // Each press asks first whether it can arrive; nothing asks after the stop.
  EXPECT_EQ(inner.Log(), (Log{"check before", "key 17 down", "check before", "key 16 down", "key 16 up", "check before",
                              "mouse 26", "sleep 100 stopped after 10", "mouse 4", "key 17 up"}));
}

// A press of a new step at the spot of the last one waits out the
// double-click time (500 ms and the margin since that press); presses with
// nothing but pauses between them, apart, of another button or long enough
// apart go at once. Esc during that wait drops the press.
TEST(StoppablePlatform, KeepsTheClicksOfDifferentStepsFromJoiningIntoADoubleClick) {
  // What comes between the presses, the second's x and buttons, the log line before it (or "").
  const std::tuple<std::function<void(StoppablePlatform&)>, std::int32_t, std::uint32_t, std::string> cases[] = {
      {[](auto& p) { p.KeyEvent(13, false), p.KeyEvent(13, true), p.Sleep(100); }, 10, 6, "sleep 400"},
      {[](auto& p) { p.SetClipboardText(u"r"); }, 12, 6, "sleep 500"},
      {[](auto& p) { p.ReadScreenArea({0, 0, 1, 1}); }, 8, 2, "sleep 500"},
      {[](auto& p) { p.Sleep(100); }, 10, 6, ""},
      {[](auto& p) { p.SetClipboardText(u"r"); }, 13, 6, ""},
      {[](auto& p) { p.SetClipboardText(u"r"), p.Sleep(500); }, 10, 6, ""},
      {[](auto& p) { p.SetClipboardText(u"r"); }, 10, 24, ""},
  };
  for (const auto& [between, x, flags, pause] : cases) {
    testing::RecordingPlatform inner;
    ClickSeparation clicks;
    StoppablePlatform guarded(inner, clicks);
    guarded.BeginStopWatch();
    guarded.SetCursorPos(10, 10);
    guarded.MouseEvent(6);
    guarded.Sleep(50);
    between(guarded);
    guarded.SetCursorPos(x, 10);
    inner.TakeLog();
    guarded.MouseEvent(flags);
    const Log expected = {"check before", "mouse " + std::to_string(flags)};
    EXPECT_EQ(inner.Log(), (pause.empty() ? expected : Log{pause, expected[0], expected[1]})) << pause << x;
  }
  // A pause that ends early (as a system's timer may) is made up for.
  struct WakingEarly : testing::RecordingPlatform {
    void Sleep(std::int32_t ms) override { RecordingPlatform::Sleep(ms > 100 ? ms - 100 : ms); }
  } inner;
  ClickSeparation runs;  // the next run's first press is a step of its own
  StoppablePlatform(inner, runs).MouseEvent(6);
  StoppablePlatform guarded(inner, runs);
  guarded.BeginStopWatch();
  guarded.KeyEvent(13, false);
  guarded.MouseEvent(6);
  EXPECT_EQ(Log(inner.Log().end() - 4, inner.Log().end()), (Log{"sleep 450", "sleep 100", "check before", "mouse 6"}));
  inner.PressStopAt(inner.NowMs() + 300);
  guarded.KeyEvent(13, false);
  guarded.MouseEvent(6);
  EXPECT_EQ(Log(inner.Log().end() - 2, inner.Log().end()), (Log{"sleep 450 stopped after 300", "key 13 up"}));
}

constexpr ScreenSize kBadge{300, 80};
const ScreenRect kScreen{0, 0, 1280, 1024};
// The four corners of kScreen, kBadgeMargin (8) off its edges.
constexpr ScreenPoint kBottomRight{1280 - 8 - 300, 1024 - 8 - 80}, kBottomLeft{8, 1024 - 8 - 80};
constexpr ScreenPoint kTopRight{1280 - 8 - 300, 8}, kTopLeft{8, 8};
const ScreenRect kTight{0, 0, 300 + 16, 80 + 16};  // the badge and its margins

// The nearest click decides, not the sum; a click past an edge counts at
// the edge; the corners of every screen count, on a screen big enough. With
// every corner covered the badge goes where it covers no click, even on a
// huge screen, searched in a bounded number of steps; on a screen it fills
// with a click in it, or none big enough, it has nowhere to go.
TEST(Badge, TakesTheCornerFarthestFromEveryClickOrAPlaceClearOfThemAndShowsOneBoundedLine) {
  std::vector<ScreenPoint> allOver;
  for (int x = 0; x < 1280; x += 100) {
    for (int y = 0; y < 1024; y += 100) allOver.push_back({x, y});
  }
  const std::tuple<std::vector<ScreenRect>, std::vector<ScreenPoint>, std::optional<ScreenPoint>> cases[] = {
      {{kScreen}, {}, kBottomRight}, {{kScreen}, {{1200, 1000}}, kTopLeft},
      {{kScreen}, {{100, 1000}, {1200, 1000}, {1200, 500}}, kTopLeft},
      {{kScreen}, {{10, 10}, {10, 1000}, {600, 800}}, kTopRight},
      {{kScreen}, {{1270, 1010}, {1270, 10}, {300, 300}}, kBottomLeft},
      {{kScreen}, {{99999, 99999}}, kTopLeft}, {{kScreen}, {{-5000, -7}}, kBottomRight},
      // A click below the screen counts on its last row: 8 px under the
      // bottom right, 9 px beside the bottom left, the top corners covered.
      {{kScreen}, {{1000, 5000}, {316, 1000}, {1000, 50}, {100, 50}}, kBottomLeft},
      {{kScreen}, {{5000, 1000}, {1000, 96}, {100, 50}, {100, 1000}}, kTopRight},  // the same past the right edge
      {{kScreen, {-1920, 0, 1920, 1080}}, allOver, ScreenPoint{-1920 + 8, 8}},
      {{{5000, 0, 100, 100}, kScreen}, {{1200, 1000}}, kTopLeft},
      // Every corner covered: a place clear of all four clicks; the same on a huge screen.
      {{kScreen}, {{kBottomRight.x + 1, kBottomRight.y + 1}, {kBottomLeft.x + 299, kBottomLeft.y},
                   {kTopRight.x, kTopRight.y + 79}, {kTopLeft.x + 150, kTopLeft.y + 40}}, ScreenPoint{458, 448}},
      {{{0, 0, 2000000000, 2000000000}}, {{50, 50}, {1999999950, 50}, {50, 1999999950}, {1999999950, 1999999950}},
       ScreenPoint{1000000008, 1000000008}},
      {{kTight}, {{150, 50}}, std::nullopt}, {{kTight}, {{2, 2}}, kTopLeft},
      {{{0, 0, 200, 50}}, {}, std::nullopt}, {{}, {}, std::nullopt},
  };
  for (const auto& c : cases) {  // screens, clicks, where the badge goes
    const auto at = PlaceBadge(std::get<0>(c), kBadge, std::get<1>(c));
    EXPECT_EQ(at, std::get<2>(c)) << (&c - cases) << ": got " << (at ? at->x : -1) << "," << (at ? at->y : -1);
  }
  EXPECT_FALSE(PlaceBadge({kScreen}, {0, 10}, {}).has_value());
  // An area a screen wait looks at is kept clear as a click is, its inside too.
  EXPECT_EQ(PlaceBadge({kScreen}, kBadge, {{1200, 1000}}, {{kTopLeft.x + 100, kTopLeft.y + 20, 9, 9}}), kBottomLeft);
  // The record it shows is one line, whatever the record, and bounded; a cut
  // never leaves half of a surrogate pair.
  EXPECT_EQ(BadgeRecordText(u"a\tb\nc\r\nd\u2028e"), u"a b c  d e");
  EXPECT_EQ(BadgeRecordText(std::u16string(1000, u'字')), std::u16string(200, u'字'));
  std::u16string emoji = u"a";
  for (int i = 0; i < 150; ++i) emoji += u"\U0001F600";
  EXPECT_EQ(BadgeRecordText(emoji), emoji.substr(0, 199));
  EXPECT_EQ(BadgeRecordText(emoji.substr(0, 201)), emoji.substr(0, 199));
}

}  // namespace
}  // namespace tavorin

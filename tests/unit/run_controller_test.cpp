#include "core/run/run_controller.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "fake_run_window.h"
#include "recording_platform.h"
#include "core/execution/number_rules.h"
#include "core/run/progress_texts.h"
#include "core/run/stoppable_platform.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FakeMessageBoxes;
using testing::FakeRunWindow;
using testing::FakeTextBox;
using testing::FixedClock;
using testing::RecordingPlatform;
using Log = std::vector<std::string>;

const Log kCopy = {"clipboard clear", "sleep 50", "clipboard ", "sleep 50"};

class RunControllerTest : public ::testing::Test {
 protected:
  RunControllerTest() {
    text3.onChange = [this] { text3History.push_back(text3.Text()); };
  }
  void CheckedRecords(int count) {
    for (int i = 0; i < count; ++i) {
      list1.AddItem(u"r" + std::u16string(1, static_cast<char16_t>(u'1' + i)));
      list1.SetSelected(i, true);
    }
  }
  std::u16string LastBoxText() const { return boxes.shown.empty() ? u"" : boxes.shown.back().text; }

  RecordingPlatform platform;
  FixedClock clock;
  MemoryListBox list1, list2, list3, list4;
  FakeTextBox text3, text4, text5;
  std::vector<std::u16string> text3History;
  RunControls controls{list1, list2, list3, list4, text3, text4, text5};
  FakeRunWindow window{platform};
  FakeMessageBoxes boxes;
  int acquired = 0;
  bool platformAvailable = true;
  RunController controller{controls, window, boxes, clock, [this]() -> Platform* {
                             ++acquired;
                             return platformAvailable ? &platform : nullptr;
                           }};
};

TEST_F(RunControllerTest, RefusesWithoutRecordsOrWithoutACheckedOne) {
  controller.Start();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, u"尚未导入文本数据。");
  EXPECT_EQ(boxes.shown[0].caption, u"错误");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::kCritical);

  list1.AddItem(u"unchecked");
  controller.Start();
  EXPECT_EQ(LastBoxText(), u"尚未选择文本数据。");
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_TRUE(platform.Log().empty());
  EXPECT_EQ(acquired, 0);
}

TEST_F(RunControllerTest, AsksFirstAndANoChangesNothing) {
  CheckedRecords(2);
  boxes.answers = {MessageAnswer::kNo};
  controller.Start();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(text3.Text(), u"");
  EXPECT_EQ(text4.Text(), u"");
  EXPECT_TRUE(platform.Log().empty());
}

TEST_F(RunControllerTest, AnEmptyCountBecomesOnePassPerCheckedRecord) {
  CheckedRecords(3);
  list1.AddItem(u"unchecked");
  list3.AddItem(u"复制内容");
  controller.Start();
  EXPECT_EQ(text3History, (std::vector<std::u16string>{u"-1", u"3"}));
  EXPECT_EQ(text4.Text(), u"0");
  EXPECT_EQ(controller.State().runCount, 3);
  EXPECT_EQ(controller.State().passNumber, 3);
  Log expected = {"hide"};
  for (const char* record : {"r1", "r2", "r3"}) {
    Log copy = kCopy;
    copy[2] += record;
    expected.insert(expected.end(), copy.begin(), copy.end());
  }
  expected.push_back("show");
  EXPECT_EQ(platform.Log(), expected);
  EXPECT_FALSE(platform.Watching());
}

TEST_F(RunControllerTest, CountTextsRoundHalvesToEvenAndBadOnesMeanTheDefault) {
  CheckedRecords(3);
  const struct {
    const char16_t* count;
    int passes;
    const char16_t* shownAfter;
  } cases[] = {
      {u"abc", 3, u"3"},   {u"0", 3, u"3"},     {u"-7", 3, u"3"},     {u"-1", 3, u"3"},  {u" ", 3, u"3"},
      {u"2.5", 2, u"2.5"}, {u"3.5", 4, u"3.5"}, {u"0.4", 0, u"0.4"}, {u"&H2", 2, u"&H2"}, {u"5", 5, u"5"},
  };
  for (const auto& c : cases) {
    text3.SetText(c.count);
    controller.Start();
    EXPECT_EQ(controller.State().runCount, c.passes) << testing::ToUtf8(c.count);
    EXPECT_EQ(text3.Text(), c.shownAfter) << testing::ToUtf8(c.count);
  }
}

TEST_F(RunControllerTest, PassesEndWithTheRefreshKeyThenTheCooldown) {
  CheckedRecords(1);
  list3.AddItem(u"按下按键 13");
  text3.SetText(u"2");
  text4.SetText(u"1.5");  // whole seconds, halves to even
  window.refresh = true;
  window.keyIndex = -1;  // nothing chosen: F5
  controller.Start();
  const Log pass = {"key 13 down", "key 13 up", "sleep 50", "sleep 50", "key 116 down", "key 116 up",
                    "sleep 50", "sleep 2000"};
  Log expected = {"hide"};
  for (int i = 0; i < 2; ++i) expected.insert(expected.end(), pass.begin(), pass.end());
  expected.push_back("show");
  EXPECT_EQ(platform.TakeLog(), expected);
  EXPECT_EQ(controller.State().refreshKeyIndex, 0);

  list3.Clear();
  text3.SetText(u"1");
  window.keyIndex = 1;
  controller.Start();
  EXPECT_EQ(platform.TakeLog(), (Log{"hide", "key 17 down", "key 82 down", "key 82 up", "key 17 up", "sleep 50",
                                     "sleep 2000", "show"}));
  // Refresh off, cooldown at its largest allowed value.
  window.refresh = false;
  text4.SetText(u"2147483");
  controller.Start();
  EXPECT_EQ(platform.TakeLog(), (Log{"hide", "sleep 2147483000", "show"}));
  // An empty action list and no cooldown: the window still hides and returns.
  text4.SetText(u"-2");
  controller.Start();
  EXPECT_EQ(platform.TakeLog(), (Log{"hide", "show"}));
  EXPECT_EQ(text4.Text(), u"0");
}

TEST_F(RunControllerTest, SettingsTooLargeAreRefusedBeforeAnythingChanges) {
  CheckedRecords(1);
  const struct {
    const char16_t* count;
    const char16_t* cooldown;
    const char16_t* message;
  } cases[] = {
      {u"3e9", u"", u"“次数”超出范围：最多 2147483647 次。"},
      {u"2147483647.5", u"", u"“次数”超出范围：最多 2147483647 次。"},
      {u"", u"2147484", u"“冷却”超出范围：最多 2147483 秒。"},
      {u"", u"1e300", u"“冷却”超出范围：最多 2147483 秒。"},
  };
  for (const auto& c : cases) {
    text3.SetText(c.count);
    text4.SetText(c.cooldown);
    boxes.shown.clear();
    controller.Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, c.message);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(text3.Text(), c.count);
    EXPECT_EQ(text4.Text(), c.cooldown);
  }
  EXPECT_TRUE(platform.Log().empty());
}

TEST_F(RunControllerTest, EveryRunStartsAtTheFirstRecord) {
  CheckedRecords(3);
  list3.AddItem(u"复制内容");
  text3.SetText(u"2");
  controller.Start();
  controller.Start();
  EXPECT_EQ(platform.Clipboard(), u"r2");
  EXPECT_EQ(controller.State().recordCursor, 2);
}

TEST_F(RunControllerTest, NoInputPlatformMeansNoRun) {
  CheckedRecords(1);
  platformAvailable = false;
  controller.Start();
  EXPECT_EQ(acquired, 1);
  EXPECT_TRUE(platform.Log().empty());
  EXPECT_EQ(text3.Text(), u"");
}

TEST_F(RunControllerTest, EscDuringAWaitStopsAtOnceAndTellsHowFarItGot) {
  CheckedRecords(1);
  list3.AddItem(u"等候时长 600");
  list3.AddItem(u"插入内容 不该出现");
  text3.SetText(u"3");
  platform.PressStopAt(600000 + 50 + 1234);  // in the second pass's wait
  controller.Start();
  EXPECT_EQ(platform.Log(),
            (Log{"hide", "sleep 600000", "clipboard clear", "sleep 50", "clipboard 不该出现", "sleep 50", "key 17 down",
                 "key 86 down", "key 86 up", "key 17 up", "sleep 50", "sleep 50", "sleep 600000 stopped after 1084",
                 "show"}));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, u"执行已停止：已完成 1 次，共 3 次。");
  EXPECT_EQ(boxes.shown[1].icon, MessageIcon::kInformation);
  EXPECT_FALSE(platform.Watching());
}

TEST_F(RunControllerTest, EscDuringACooldownCountsThePassAsDone) {
  CheckedRecords(1);
  list3.AddItem(u"粘贴内容");
  text3.SetText(u"5");
  text4.SetText(u"60");
  platform.PressStopAt(2 * (100 + 60000) + 100 + 30000);
  controller.Start();
  EXPECT_EQ(LastBoxText(), u"执行已停止：已完成 3 次，共 5 次。");
  EXPECT_EQ(platform.Log()[platform.Log().size() - 2], "sleep 60000 stopped after 30000");
  // A later run is not stopped by the old request.
  platform.TakeLog();
  boxes.shown.clear();
  text3.SetText(u"1");
  text4.SetText(u"0");
  controller.Start();
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(platform.Log().back(), "show");
}

// Copy (0-100 ms) and paste (100-200 ms) per pass, a trailing wait of 1 s
// (200-1200 ms), three passes. A pass counts once its paste has gone out; a
// stop in the pauses after it does not take the pass back.
TEST_F(RunControllerTest, AStopCountsEveryPassWhoseLinesAllReachedTheTarget) {
  const struct {
    std::int64_t stopAt;
    int completed;
  } cases[] = {
      {1, 0},            // copy's first settle, before the text is set
      {99, 0},           // after the copy, before the paste
      {101, 1},          // in the pause right after Ctrl+V
      {175, 1},          // in the settle that closes the paste line
      {200, 1},          // at the very end of that settle
      {700, 1},          // in the trailing wait
      {1200 + 25, 1},    // second pass's copy
      {1200 + 150, 2},   // second pass's closing settle
      {3 * 1200 - 1, 3}, // the last pass's wait
  };
  for (const auto& c : cases) {
    RecordingPlatform local;
    FakeRunWindow localWindow{local};
    FakeMessageBoxes localBoxes;
    MemoryListBox records, pairs, lines, passList;
    FakeTextBox count, cooldown, mirror;
    records.AddItem(u"r");
    records.SetSelected(0, true);
    for (const auto* line : {u"复制内容", u"粘贴内容", u"等候时长 1"}) lines.AddItem(line);
    count.SetText(u"3");
    RunControls localControls{records, pairs, lines, passList, count, cooldown, mirror};
    RunController run{localControls, localWindow, localBoxes, clock, [&]() -> Platform* { return &local; }};
    local.PressStopAt(c.stopAt);
    run.Start();
    ASSERT_EQ(localBoxes.shown.size(), 2u) << "stop at " << c.stopAt;
    EXPECT_EQ(localBoxes.shown[1].text,
              u"执行已停止：已完成 " + DecimalText(c.completed) + u" 次，共 3 次。")
        << "stop at " << c.stopAt;
  }
}

const std::u16string kUsualConfirmation =
    u"即将开始执行动作。请确保\r\n1、将所需的窗口最大化，并且置于顶层。\r\n2、执行动作期间请不要操纵鼠标和键盘。\r\n"
    u"执行期间按 Esc 键可以停止。\r\n继续吗？";

TEST_F(RunControllerTest, FaultyLinesAreListedBeforeTheQuestionAndNoIsTheDefault) {
  CheckedRecords(1);
  list3.AddItem(u"复制内容");
  boxes.answers = {};
  controller.Start();  // no findings: the box as always, Yes by default
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kUsualConfirmation);
  EXPECT_EQ(boxes.shown[0].defaultAnswer, MessageAnswer::kYes);
  EXPECT_EQ(acquired, 1);

  list3.AddItem(u"按下按键 86 9");
  list3.AddItem(u"等候时长 1e306");
  boxes.shown.clear();
  platform.TakeLog();
  controller.Start();  // Enter takes the default: no run
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, u"第 2 行：参数错误\r\n第 3 行：参数错误\r\n\r\n" + kUsualConfirmation);
  EXPECT_EQ(boxes.shown[0].caption, u"开始");
  EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(boxes.shown[0].defaultAnswer, MessageAnswer::kNo);
  EXPECT_EQ(acquired, 1);
  EXPECT_TRUE(platform.Log().empty());

  boxes.answers = {MessageAnswer::kYes};  // the user runs it anyway
  controller.Start();
  EXPECT_EQ(acquired, 2);
  EXPECT_EQ(platform.Log().front(), "hide");
}

// Logs the badge's calls among the platform's, so a test sees when they come.
class LoggingProgress : public RunProgress {
 public:
  explicit LoggingProgress(RecordingPlatform& log) : log_(log) {}
  ScreenSize BadgeSize() const override { return {300, 80}; }
  void Show(ScreenPoint at, const std::u16string& stopHint) override {
    log_.Note("badge at " + std::to_string(at.x) + "," + std::to_string(at.y) + " " + testing::ToUtf8(stopHint));
  }
  void SetPass(const std::u16string& text) override { log_.Note("badge " + testing::ToUtf8(text)); }
  void SetRecord(const std::u16string& text) override { log_.Note("badge record " + testing::ToUtf8(text)); }
  void Hide() override { log_.Note("badge hidden"); }

 private:
  RecordingPlatform& log_;
};

class FixedScreens : public ScreenLayout {
 public:
  std::vector<ScreenRect> ScreenRects() const override { return rects; }
  std::vector<ScreenRect> rects = {{0, 0, 1280, 1024}};
};

TEST_F(RunControllerTest, TheBadgeShowsEachPassAndRecordAwayFromTheClicksAndGoesWithTheRun) {
  LoggingProgress progress(platform);
  FixedScreens screens;
  controller.SetRunFeedback(&screens, &progress);
  CheckedRecords(2);
  list1.SetList(1, u"第%i行\n二");
  list3.AddItem(u"点击位置 1200 1000");
  list3.AddItem(u"复制内容");
  controller.Start();
  const Log click = {"move 1200 1000", "mouse 6", "sleep 50", "sleep 50"};
  Log expected = {"hide", "badge at 8,8 Esc 停止", "badge 第 1/2 次"};
  expected.insert(expected.end(), click.begin(), click.end());
  expected.insert(expected.end(), {"badge record r1", "clipboard clear", "sleep 50", "clipboard r1", "sleep 50",
                                   "badge 第 2/2 次"});
  expected.insert(expected.end(), click.begin(), click.end());
  expected.insert(expected.end(), {"badge record 第2行 二", "clipboard clear", "sleep 50", "clipboard 第2行\n二",
                                   "sleep 50", "badge hidden", "show"});
  EXPECT_EQ(platform.TakeLog(), expected);

  // A stop takes the badge away too, before the window and the message.
  list3.AddItem(u"等候时长 10");
  platform.PressStopAt(platform.NowMs() + 500);
  controller.Start();
  const Log log = platform.TakeLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{"sleep 10000 stopped after 300", "badge hidden", "show"}));
  EXPECT_EQ(LastBoxText(), u"执行已停止：已完成 1 次，共 2 次。");

  // Without screens, or without a place clear of the clicks, no badge.
  screens.rects.clear();
  controller.Start();
  for (const auto& entry : platform.TakeLog()) EXPECT_EQ(entry.rfind("badge", 0), std::string::npos) << entry;
  screens.rects = {{0, 0, 316, 96}};
  list3.Clear();
  list3.AddItem(u"点击位置 100 50");
  controller.Start();
  for (const auto& entry : platform.TakeLog()) EXPECT_EQ(entry.rfind("badge", 0), std::string::npos) << entry;
}

TEST(BadgeRecordText, OneLineAndBoundedWhateverTheRecord) {
  EXPECT_EQ(BadgeRecordText(u"a\tb\nc\r\nd\u2028e"), u"a b c  d e");
  EXPECT_EQ(BadgeRecordText(std::u16string(1000, u'字')), std::u16string(200, u'字'));
  // A cut never leaves half of a surrogate pair.
  std::u16string emoji = u"a";
  for (int i = 0; i < 150; ++i) emoji += u"\U0001F600";
  EXPECT_EQ(BadgeRecordText(emoji), emoji.substr(0, 199));
  EXPECT_EQ(BadgeRecordText(emoji.substr(0, 201)), emoji.substr(0, 199));
  EXPECT_EQ(BadgeRecordText(u""), u"");
}

TEST(StoppablePlatform, ReleasesWhatIsHeldAndLetsNothingThroughAfterAStop) {
  RecordingPlatform inner;
  StoppablePlatform guarded(inner);
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
  EXPECT_EQ(inner.Log(), (Log{"key 17 down", "key 16 down", "key 16 up", "mouse 26", "sleep 100 stopped after 10",
                              "mouse 4", "key 17 up"}));
}

}  // namespace
}  // namespace tavorin

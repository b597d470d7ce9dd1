#include "core/run/action_pass.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_run_window.h"
#include "recording_platform.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FakeTextBox;
using testing::Fill;
using testing::FixedClock;
using testing::RecordingPlatform;
using Log = std::vector<std::string>;

class ActionPassTest : public ::testing::Test {
 protected:
  // Runs `passes` passes the way the controller numbers them.
  void Passes(int passes) {
    for (int p = 1; p <= passes; ++p) {
      state.passNumber = p;
      RunActionPass(run);
    }
  }
  Log LineLog(const std::u16string& line) {
    platform.TakeLog();
    RunActionLine(run, line);
    return platform.TakeLog();
  }
  std::vector<std::string> ClipboardTexts() {
    std::vector<std::string> texts;
    for (const auto& entry : platform.Log()) {
      if (entry.rfind("clipboard ", 0) == 0 && entry != "clipboard clear") texts.push_back(entry.substr(10));
    }
    return texts;
  }

  RecordingPlatform platform;
  FixedClock clock;
  MemoryListBox list1, list2, list3, list4;
  FakeTextBox text3, text4, text5;
  RunControls controls{list1, list2, list3, list4, text3, text4, text5};
  RunState state;
  RunContext run{platform, clock, controls, state};
};

const Log kPasteSteps = {"key 17 down", "key 86 down", "key 86 up", "key 17 up", "sleep 50", "sleep 50"};

TEST_F(ActionPassTest, CursorWalksTheCheckedRecordsAcrossPassesAndWraps) {
  Fill(list1, {u"甲", u"跳过", u"乙", u"丙"}, true);
  list1.SetSelected(1, false);
  Fill(list3, {u"复制内容", u"粘贴内容"});
  Passes(5);
  EXPECT_EQ(ClipboardTexts(), (std::vector<std::string>{"甲", "乙", "丙", "甲", "乙"}));
  EXPECT_EQ(state.recordCursor, 2);
  EXPECT_EQ(state.currentText, u"乙");
  EXPECT_EQ(text5.Text(), u"乙");
  EXPECT_EQ(list4.ListCount(), 3);
  EXPECT_EQ(list4.List(2), u"丙");
  // Five passes of copy (100 ms) and paste (100 ms).
  EXPECT_EQ(platform.NowMs(), 1000);
}

// Line feeds in a record reach the clipboard unchanged.
TEST_F(ActionPassTest, CopyAndPasteStepsComeInTheirExactOrder) {
  Fill(list1, {u"第%i条\n二"}, true);
  Fill(list3, {u"复制内容", u"粘贴内容"});
  state.passNumber = 3;
  RunActionPass(run);
  Log expected = {"clipboard clear", "sleep 50", "clipboard 第3条\n二", "sleep 50"};
  expected.insert(expected.end(), kPasteSteps.begin(), kPasteSteps.end());
  EXPECT_EQ(platform.Log(), expected);
}

TEST_F(ActionPassTest, TwoCopyLinesTakeConsecutiveRecordsWithTheSamePassNumber) {
  Fill(list1, {u"a%i", u"b%i", u"c%i"}, true);
  Fill(list3, {u"复制内容", u"复制内容"});
  Passes(2);
  EXPECT_EQ(ClipboardTexts(), (std::vector<std::string>{"a1", "b1", "c2", "a2"}));
}

TEST_F(ActionPassTest, CheckMarksAreReadAgainAtEveryPass) {
  Fill(list1, {u"a", u"b"}, true);
  Fill(list3, {u"复制内容"});
  Passes(1);
  list1.SetSelected(0, false);
  state.passNumber = 2;
  RunActionPass(run);
  EXPECT_EQ(ClipboardTexts(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list4.ListCount(), 1);
}

TEST_F(ActionPassTest, WithoutACopyLineTheRecordsAreNeverTouched) {
  Fill(list1, {u"a"}, true);
  Fill(list3, {u"点击位置 1 2", u"粘贴内容"});
  Passes(2);
  EXPECT_TRUE(ClipboardTexts().empty());
  EXPECT_EQ(state.recordCursor, 0);
}

// A faulty click line reports and still clicks.
TEST_F(ActionPassTest, LinesBecomeTheirCommands) {
  const std::pair<const char16_t*, Log> cases[] = {
      {u"点击位置 100 200", {"move 100 200", "mouse 6", "sleep 50", "sleep 50"}},
      {u"点击位置 -5 7", {"move -5 7", "mouse 6", "sleep 50", "sleep 50"}},
      {u"点击位置 100", {"error 参数错误。", "mouse 6", "sleep 50", "sleep 50"}},
      {u"点击位置100 200", {"error 未知指令。", "mouse 6", "sleep 50", "sleep 50"}},
      {u"按下按键 86 2", kPasteSteps},
      {u"按下按键 116", {"key 116 down", "key 116 up", "sleep 50", "sleep 50"}},
      {u"粘贴内容", kPasteSteps},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(LineLog(line), expected) << testing::ToUtf8(line);
}

// A wait either pauses its seconds in milliseconds (at least 50) or, when
// that length does not fit a 32-bit pause, is refused with no pause at all.
TEST_F(ActionPassTest, WaitLinesPauseTheirSecondsOrAreRefused) {
  const Log refused = {"error 参数错误"};
  const struct {
    const char16_t* line;
    Log expected;
  } cases[] = {
      {u"等候时长 3", {"sleep 3000"}},
      {u"等候时长 0", {"sleep 50"}},
      {u"等候时长 -3", {"sleep 50"}},
      {u"等候时长 0.5", {"sleep 500"}},
      {u"等候时长 1.25", {"sleep 1250"}},
      {u"等候时长 -0.5", {"sleep 50"}},
      {u"等候时长 0.0004", {"sleep 50"}},
      {u"等候时长  2 ", {"sleep 2000"}},
      {u"等候时长 1e3", {"sleep 1000000"}},
      {u"等候时长 abc", {"sleep 50"}},
      {u"等候时长 2147483.647", {"sleep 2147483647"}},
      {u"等候时长 2147483.6474", {"sleep 2147483647"}},
      {u"等候时长 2147483.6475", refused},
      {u"等候时长 2147484", refused},
      {u"等候时长 -2147483.648", {"sleep 50"}},
      {u"等候时长 -2147483.6486", refused},
      {u"等候时长 4294967.396", refused},  // 2^32 + 100 ms: must not wrap to 100
      {u"等候时长 1e300x", refused},
      {u"等候时长 1e306x", refused},       // infinite milliseconds
      {u"等候时长 -1e306", refused},
      {u"等候时长 1e999", refused},
      {u"等候时长 &H7FFFFFFF", refused},
      {u"等候时长0.5", {"error 未知指令。"}},  // glued to the keyword: no wait
  };
  for (const auto& c : cases) EXPECT_EQ(LineLog(c.line), c.expected) << testing::ToUtf8(c.line);
  EXPECT_EQ(WaitCommand(u"等候时长 5"), u"s 5000");
  EXPECT_EQ(WaitCommand(u"等候时长 0.5"), u"s 500");
}

// Nothing changed: the pass list stays as it is; any change of the records
// (a check mark, a text) is seen by the next pass.
TEST_F(ActionPassTest, ThePassListIsRebuiltOnlyWhenTheRecordsChanged) {
  struct Counter : ChangeCounter {
    std::uint64_t Changes() const override { return changes; }
    std::uint64_t changes = 0;
  } counter;
  controls.recordChanges = &counter;
  Fill(list1, {u"a", u"b"}, true);
  Fill(list3, {u"复制内容"});
  Passes(1);
  list4.AddItem(u"marker");  // would vanish with a rebuild
  state.passNumber = 2;
  RunActionPass(run);
  EXPECT_EQ(list4.ListCount(), 3);
  list1.SetSelected(0, false);
  list1.SetList(1, u"B");
  ++counter.changes;
  RunActionPass(run);
  EXPECT_EQ(list4.ListCount(), 1);
  EXPECT_EQ(ClipboardTexts(), (std::vector<std::string>{"a", "b", "B"}));
}

TEST_F(ActionPassTest, InsertLinesPasteTheirTextVerbatim) {
  const Log prefix = {"clipboard clear", "sleep 50"};
  auto expected = [&](const std::string& text) {
    Log log = prefix;
    log.push_back("clipboard " + text);
    log.push_back("sleep 50");
    log.insert(log.end(), kPasteSteps.begin(), kPasteSteps.end());
    return log;
  };
  list2.AddItem(u"a->b");
  EXPECT_EQ(LineLog(u"插入内容 %i a "), expected("%i a "));
  EXPECT_EQ(LineLog(u"插入内容 "), expected(""));
  EXPECT_EQ(LineLog(u"插入内容"), expected(""));
  EXPECT_EQ(platform.NowMs(), 3 * 200);
}

TEST_F(ActionPassTest, UnknownLinesAreSkippedSilently) {
  for (const auto* line : {u"", u"复制内", u"打开网页", u" 复制内容", u"COPY"}) {
    EXPECT_TRUE(LineLog(line).empty()) << testing::ToUtf8(line);
  }
  // A keyword decides, whatever follows it.
  Fill(list1, {u"r"}, true);
  list4.AddItem(u"r");
  EXPECT_EQ(LineLog(u"粘贴内容吧").size(), kPasteSteps.size());
}

}  // namespace
}  // namespace tavorin

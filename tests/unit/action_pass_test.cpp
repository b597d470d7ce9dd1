#include "core/run/action_pass.h"

#include <gtest/gtest.h>

#include "fake_run_window.h"
#include "core/execution/number_rules.h"
#include "core/run/action_list_check.h"

namespace tavorin {
namespace {

using testing::Fill;
using testing::ToUtf8;
using Log = std::vector<std::string>;
using Texts = std::vector<std::string>;

class ActionPassTest : public ::testing::Test, protected testing::RunParts {
 protected:
  // Runs passes numbered as the controller numbers them.
  void Passes(int from, int to) {
    for (state.passNumber = from; state.passNumber <= to; ++state.passNumber) RunActionPass(run);
  }
  Texts ClipboardTexts() {
    Texts texts;
    for (const auto& entry : platform.Log()) {
      if (entry.starts_with("clipboard ") && entry != "clipboard clear") texts.push_back(entry.substr(10));
    }
    return texts;
  }

  RunState state;
  RunContext run{platform, clock, controls, state};
};

const Log kPaste = {"key 17 down", "key 86 down", "key 86 up", "key 17 up", "sleep 50", "sleep 50"};

// Copy lines walk the checked records across passes and wrap; two in a
// pass take consecutive records with the same pass number; without one the
// records are never touched.
TEST_F(ActionPassTest, CopyLinesWalkTheCheckedRecordsAcrossPassesAndWrap) {
  Fill(list1, {u"甲%i", u"跳过", u"第%i条\n二", u"丙"}, true);
  list1.SetSelected(1, false);
  Fill(list3, {u"复制内容", u"粘贴内容"});
  Passes(1, 5);
  EXPECT_EQ(std::pair(state.recordCursor, text5.Text()), std::pair(2, std::u16string(u"第5条\n二")));
  EXPECT_EQ(testing::Items(list4), (testing::Lines{u"甲%i", u"第%i条\n二", u"丙"}));
  EXPECT_EQ(platform.NowMs(), 5 * 200);
  list3.SetList(1, u"复制内容");
  Passes(6, 6);
  list3.Clear();
  Fill(list3, {u"粘贴内容"});
  Passes(7, 8);
  EXPECT_EQ(ClipboardTexts(), (Texts{"甲1", "第2条\n二", "丙", "甲4", "第5条\n二", "丙", "甲6"}));
}

// Without a change counter the check marks are read again at every pass;
// with one, the pass list is rebuilt only when the records changed.
TEST_F(ActionPassTest, ThePassListIsRebuiltWhenTheRecordsChanged) {
  struct Counter : ChangeCounter {
    std::uint64_t Changes() const override { return changes; }
    std::uint64_t changes = 0;
  } counter;
  Fill(list1, {u"a", u"b"}, true);
  Fill(list3, {u"复制内容"});
  Passes(1, 1);
  list1.SetSelected(0, false);
  Passes(2, 2);
  EXPECT_EQ(list4.ListCount(), 1);
  controls.recordChanges = &counter;
  list1.SetSelected(0, true);
  Passes(3, 3);
  list4.AddItem(u"marker");  // would vanish with a rebuild
  Passes(4, 4);
  EXPECT_EQ(list4.ListCount(), 3);
  list1.SetSelected(0, false);
  list1.SetList(1, u"B");
  ++counter.changes;
  Passes(5, 5);
  EXPECT_EQ(list4.ListCount(), 1);
  EXPECT_EQ(ClipboardTexts(), (Texts{"a", "b", "a", "b", "B"}));
}

ActionListReview Review(const testing::Lines& lines, const std::vector<ScreenRect>& screens) {
  MemoryListBox list;
  Fill(list, lines);
  return ReviewActionList(list, screens, testing::FixedClock());
}

Log Click(const std::string& at) { return {"move " + at, "mouse 6", "sleep 50", "sleep 50"}; }
Log Key(const std::string& key) { return {"key " + key + " down", "key " + key + " up", "sleep 50", "sleep 50"}; }
Log Insert(const std::string& text) {
  Log log = {"clipboard clear", "sleep 50", "clipboard " + text, "sleep 50"};
  log.insert(log.end(), kPaste.begin(), kPaste.end());
  return log;
}
Log FaultyClick(const std::string& error) { return {"error " + error, "mouse 6", "sleep 50", "sleep 50"}; }
const Log kRefused = {"error 参数错误"};
const Log kKeyRefused = {"error 参数错误", "sleep 50"};  // the key line's closing settle
const std::string kSkipped = "不是动作，执行时将跳过。";
std::string OffScreen(const std::string& at) { return "位置 (" + at + ") 不在任何屏幕上。"; }

const std::string kWaitTooLong = "秒数超出范围：最多 2147483 秒；执行时会报“参数错误”，不等候。";
const std::string kNoXY = "点击位置要写 x 和 y 两个数；执行时会报";

// What a run does with each line, and what the check before the run finds
// in it: a line that does less than it says, named with what the run does
// instead, a skipped line, a click off a 1280 x 1024 screen. A wait pauses
// its seconds (at least 50 ms) or, when they do not fit a 32-bit pause, is
// refused with no pause at all; a faulty click line reports and still clicks.
TEST_F(ActionPassTest, EachLineRunsAsItsCommandAndTheCheckSaysWhatALineDoesInstead) {
  const struct { const char16_t* line; Log run; std::string finding = {}; } cases[] = {
      {u"点击位置 100 200", Click("100 200")},
      {u"点击位置 -5 7", Click("-5 7"), OffScreen("-5, 7")}, {u"点击位置 1280 0", Click("1280 0"), OffScreen("1280, 0")},
      {u"点击位置 1e400 -1e400", Click("2147483647 -2147483648"), OffScreen("2147483647, -2147483648")},
      {u"点击位置 100", FaultyClick("参数错误。"), kNoXY + "“参数错误。”，在指针当前所在处点击。"},
      {u"点击位置100 200", FaultyClick("未知指令。"), "“点击位置”后要空一格；执行时会报“未知指令。”，在指针当前所在处点击。"},
      {u"点击位置", FaultyClick("未知指令。"), kNoXY + "“未知指令。”，在指针当前所在处点击。"},
      {u"按下按键 116", Key("116")}, {u"按下按键 86 2", kPaste},
      {u"按下按键 86 8", kKeyRefused, "修饰键（末尾的数字）要在 0 到 7 之间；执行时会报“参数错误”，不按键。"},
      {u"按下按键 256", kKeyRefused, "按键代码超出范围：最大 255；执行时会报“参数错误”，不按键。"},
      {u"按下按键 ", kKeyRefused, "没有写按键代码；执行时会报“参数错误”，不按键。"},
      {u"按下按键 abc", Key("0"), "按键代码不对应任何键；执行时不按键。"},
      {u"按下按键86", Key("6"), "“按下按键”后要空一格；执行时将按下按键 6。"},
      {u"等候时长 3", {"sleep 3000"}}, {u"等候时长 1.25", {"sleep 1250"}}, {u"等候时长 0.0004", {"sleep 50"}},
      {u"等候时长 0", {"sleep 50"}}, {u"等候时长  2 ", {"sleep 2000"}},  // 0 is a number, not a negative one
      {u"等候时长 -9", {"sleep 50"}, "秒数不是正数；执行时只等候 0.05 秒。"},
      {u"等候时长 abc", {"sleep 50"}, "秒数不是数字；执行时只等候 0.05 秒。"},
      {u"等候时长 2147483.6474", {"sleep 2147483647"}},
      {u"等候时长 2147483.6475", kRefused, kWaitTooLong},
      {u"等候时长 -2147483.648", {"sleep 50"}, "秒数不是正数；执行时只等候 0.05 秒。"},
      {u"等候时长 -2147483.6486", kRefused, "秒数不是正数；执行时会报“参数错误”，不等候。"},
      {u"等候时长 4294967.396", kRefused, kWaitTooLong},  // 2^32 + 100 ms: must not wrap to 100
      {u"等候时长 1e306x", kRefused, kWaitTooLong},       // infinite milliseconds
      {u"等候时长 &H7FFFFFFF", kRefused, kWaitTooLong},
      {u"等候时长0.5", {"error 未知指令。"}, "“等候时长”后要空一格；执行时会报“未知指令。”，不等候。"},
      {u"等候时长 ", {"error 未知指令。"}, "没有写秒数；执行时会报“未知指令。”，不等候。"},
      {u"复制内容", {"clipboard clear", "sleep 50", "clipboard r", "sleep 50"}},
      {u"粘贴内容吧", kPaste},  // a keyword decides, whatever follows it
      {u"插入内容 %i a ", Insert("%i a ")}, {u"插入内容", Insert("")},
      {u"插入内容ab", Insert("b"), "“插入内容”后要空一格；执行时将插入“b”。"},
      {u"", {}, kSkipped}, {u"COPY", {}, kSkipped},
  };
  list2.AddItem(u"a->b");
  for (const auto& c : cases) {
    list4.Clear();
    list4.AddItem(u"r");
    platform.TakeLog();
    RunActionLine(run, c.line);
    EXPECT_EQ(platform.Log(), c.run) << ToUtf8(c.line);
    Texts findings;
    for (const auto& f : Review({c.line}, {{0, 0, 1280, 1024}}).findings) findings.push_back(ToUtf8(f.message));
    EXPECT_EQ(findings, c.finding.empty() ? Texts{} : Texts{c.finding}) << ToUtf8(c.line);
  }
  EXPECT_EQ(WaitCommand(u"等候时长 0.5"), u"s 500");
}

// Lines are numbered from one; positions are checked against every screen,
// and only when the screens are known; the click positions come in run
// order. Two screens side by side, the right one lower: a gap under the left.
TEST(ActionListCheck, NumbersLinesChecksPositionsOnEveryScreenAndKeepsThemInRunOrder) {
  const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}};
  const testing::Lines lines = {u"点击位置 2000 1100", u"按下按键 86 9", u"点击位置 100 1100", u"点击位置 1919 0",
                                u"点击位置 1920 100",  u"点击位置 9",    u"备注",              u"点击位置 -1024 767"};
  const ActionListReview review = Review(lines, two);
  std::vector<ActionLineFinding> expected = {{2, u""}, {3, u"位置 (100, 1100) 不在任何屏幕上。"},
                                             {5, u"位置 (1920, 100) 不在任何屏幕上。"}, {6, u""},
                                             {7, u"不是动作，执行时将跳过。"}, {8, u"位置 (-1024, 767) 不在任何屏幕上。"}};
  expected[0].message = review.findings.at(0).message;  // each line's own wording is checked above
  expected[3].message = review.findings.at(3).message;
  EXPECT_EQ(review.findings, expected);
  EXPECT_EQ(review.clickPositions,
            (std::vector<ScreenPoint>{{2000, 1100}, {100, 1100}, {1919, 0}, {1920, 100}, {-1024, 767}}));
  EXPECT_EQ(Review(lines, {}).findings.size(), 3u);  // no screens known: no position is reported
  EXPECT_TRUE(Review({u"点击位置 -1024 767"}, {{0, 0, 800, 600}, {-1024, 0, 1024, 768}}).findings.empty());
}

TEST(ActionListCheck, TheBoxListsTenFindingsThenCountsTheRest) {
  std::vector<ActionLineFinding> findings;
  EXPECT_EQ(FindingsText(findings), u"");
  std::u16string ten;
  for (int i = 1; i <= 10; ++i) {
    findings.push_back({i * 2, u"参数错误"});
    ten += u"第 " + DecimalText(i * 2) + u" 行：参数错误\r\n";
  }
  EXPECT_EQ(FindingsText(findings), ten);
  findings.insert(findings.end(), {{21, u"未知指令。"}, {40000, u"未知指令。"}});
  EXPECT_EQ(FindingsText(findings), ten + u"还有 2 处\r\n");
}

}  // namespace
}  // namespace tavorin

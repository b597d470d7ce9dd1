#include "core/run/action_list_check.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_run_window.h"
#include "recording_platform.h"
#include "core/interfaces/memory_list_box.h"
#include "core/run/action_pass.h"

namespace tavorin {
namespace {

using testing::FakeTextBox;
using testing::FixedClock;
using testing::RecordingPlatform;
using testing::ToUtf8;
using Messages = std::vector<std::string>;  // UTF-8, as the recording platform logs them

const std::vector<ScreenRect> kScreen = {{0, 0, 1280, 1024}};
const std::string kUnknown = "未知指令。";
const std::string kBadPointer = "参数错误。";
const std::string kBad = "参数错误";
const std::string kSkipped = "不是动作，执行时将跳过。";

// The messages a real run shows for one line.
Messages RunMessages(const std::u16string& line) {
  RecordingPlatform platform;
  FixedClock clock;
  MemoryListBox records, pairs, lines, passList;
  passList.AddItem(u"r");
  FakeTextBox count, cooldown, mirror;
  RunControls controls{records, pairs, lines, passList, count, cooldown, mirror};
  RunState state;
  RunContext run{platform, clock, controls, state};
  RunActionLine(run, line);
  Messages messages;
  for (const auto& entry : platform.Log()) {
    if (entry.rfind("error ", 0) == 0) messages.push_back(entry.substr(6));
  }
  return messages;
}

ActionListReview Review(const std::vector<std::u16string>& lines,
                        const std::vector<ScreenRect>& screens = kScreen) {
  MemoryListBox list;
  for (const auto& line : lines) list.AddItem(line);
  return ReviewActionList(list, screens, FixedClock());
}

Messages FindingMessages(const ActionListReview& review) {
  Messages messages;
  for (const auto& f : review.findings) messages.push_back(ToUtf8(f.message));
  return messages;
}

// The lines of the interpreter's and the pass's tests, as action lines.
// Each finding is either the message the run shows for the line or one of
// the two the run keeps quiet about: a skipped line, a click off the screen.
TEST(ActionListCheck, ReportsALineExactlyWhenTheRunWouldShowAMessageForIt) {
  const struct {
    const char16_t* line;
    Messages findings;
  } cases[] = {
      {u"点击位置 100 200", {}},
      {u"点击位置 10.5 11.5", {}},
      {u"点击位置 x y", {}},
      {u"点击位置 1279 1023", {}},
      {u"点击位置 -5 7", {"位置 (-5, 7) 不在任何屏幕上。"}},
      {u"点击位置 10 20 30", {"位置 (10, 2030) 不在任何屏幕上。"}},
      {u"点击位置 1280 0", {"位置 (1280, 0) 不在任何屏幕上。"}},
      {u"点击位置 1e400 -1e400", {"位置 (2147483647, -2147483648) 不在任何屏幕上。"}},
      {u"点击位置 100", {kBadPointer}},
      {u"点击位置 ", {kBadPointer}},
      {u"点击位置100 200", {kUnknown}},
      {u"点击位置", {kUnknown}},
      {u"按下按键 116", {}},
      {u"按下按键 86 2", {}},
      {u"按下按键 86 12", {}},
      {u"按下按键 86 x", {}},
      {u"按下按键 255", {}},
      {u"按下按键 86 8", {kBad}},
      {u"按下按键 86 ", {kBad}},
      {u"按下按键", {kBad}},
      {u"按下按键 256", {kBad}},
      {u"按下按键 -1", {kBad}},
      {u"按下按键 1e300", {kBad}},
      {u"等候时长 3", {}},
      {u"等候时长 0", {}},
      {u"等候时长 -3", {}},
      {u"等候时长 0.5", {}},
      {u"等候时长 abc", {}},
      {u"等候时长 2147483.647", {}},
      {u"等候时长 2147483.6475", {kBad}},
      {u"等候时长 4294967.396", {kBad}},
      {u"等候时长 1e306x", {kBad}},
      {u"等候时长 -1e306", {kBad}},
      {u"等候时长 &H7FFFFFFF", {kBad}},
      {u"等候时长x5", {kUnknown}},
      {u"等候时长", {kUnknown}},
      {u"复制内容", {}},
      {u"粘贴内容", {}},
      {u"粘贴内容吧", {}},
      {u"插入内容 %i a ", {}},
      {u"插入内容", {}},
      {u"", {kSkipped}},
      {u"复制内", {kSkipped}},
      {u"打开网页", {kSkipped}},
      {u" 复制内容", {kSkipped}},
      {u"COPY", {kSkipped}},
  };
  for (const auto& c : cases) {
    const Messages found = FindingMessages(Review({c.line}));
    EXPECT_EQ(found, c.findings) << ToUtf8(c.line);
    Messages runOnly;
    for (const auto& m : found) {
      if (m != kSkipped && m.find("不在任何屏幕上") == std::string::npos) runOnly.push_back(m);
    }
    EXPECT_EQ(runOnly, RunMessages(c.line)) << ToUtf8(c.line);
  }
}

TEST(ActionListCheck, NumbersLinesFromOneAndKeepsTheClickPositionsInRunOrder) {
  const ActionListReview review = Review({u"点击位置 1 2", u"复制内容", u"按下按键 86 9", u"点击位置 3 4",
                                          u"点击位置 9", u"备注", u"点击位置 5000 6"});
  EXPECT_EQ(review.findings, (std::vector<ActionLineFinding>{{3, u"参数错误"},
                                                             {5, u"参数错误。"},
                                                             {6, u"不是动作，执行时将跳过。"},
                                                             {7, u"位置 (5000, 6) 不在任何屏幕上。"}}));
  EXPECT_EQ(review.clickPositions, (std::vector<ScreenPoint>{{1, 2}, {3, 4}, {5000, 6}}));
}

TEST(ActionListCheck, PositionsAreCheckedAgainstEveryScreenAndOnlyWhenTheScreensAreKnown) {
  // Two screens side by side with the right one lower: a gap under the left.
  const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}};
  const std::vector<std::u16string> lines = {u"点击位置 2000 1100", u"点击位置 100 1100", u"点击位置 1919 0",
                                             u"点击位置 1920 100", u"点击位置 -1 -1"};
  EXPECT_EQ(FindingMessages(Review(lines, two)),
            (Messages{"位置 (100, 1100) 不在任何屏幕上。", "位置 (1920, 100) 不在任何屏幕上。",
                      "位置 (-1, -1) 不在任何屏幕上。"}));
  EXPECT_TRUE(Review(lines, {}).findings.empty());
  const std::vector<ScreenRect> leftOfPrimary = {{0, 0, 800, 600}, {-1024, 0, 1024, 768}};
  EXPECT_TRUE(Review({u"点击位置 -1024 767", u"点击位置 799 0"}, leftOfPrimary).findings.empty());
}

TEST(ActionListCheck, TheBoxListsTenFindingsThenCountsTheRest) {
  std::vector<ActionLineFinding> findings;
  EXPECT_EQ(FindingsText(findings), u"");
  for (int i = 1; i <= 10; ++i) findings.push_back({i * 2, u"参数错误"});
  const std::u16string ten = FindingsText(findings);
  EXPECT_TRUE(ten.starts_with(u"第 2 行：参数错误\r\n第 4 行：参数错误\r\n")) << ToUtf8(ten);
  EXPECT_TRUE(ten.ends_with(u"第 20 行：参数错误\r\n")) << ToUtf8(ten);
  findings.push_back({21, u"未知指令。"});
  findings.push_back({40000, u"未知指令。"});
  const std::u16string twelve = FindingsText(findings);
  EXPECT_EQ(twelve, ten + u"还有 2 处\r\n");
}

}  // namespace
}  // namespace tavorin

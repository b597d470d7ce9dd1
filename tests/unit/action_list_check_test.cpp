#include "core/run/action_list_check.h"

#include <gtest/gtest.h>

#include "fake_run_window.h"
#include "core/execution/number_rules.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

// What each line finds is tested beside what the run does with it.
ActionListReview Review(const std::vector<std::u16string>& lines, const std::vector<ScreenRect>& screens) {
  MemoryListBox list;
  for (const auto& line : lines) list.AddItem(line);
  return ReviewActionList(list, screens, testing::FixedClock());
}

TEST(ActionListCheck, NumbersLinesFromOneAndKeepsTheClickPositionsInRunOrder) {
  const ActionListReview review = Review({u"点击位置 1 2", u"复制内容", u"按下按键 86 9", u"点击位置 3 4",
                                          u"点击位置 9", u"备注", u"点击位置 5000 6"}, {{0, 0, 1280, 1024}});
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
                                             u"点击位置 1920 100", u"点击位置 -1024 767"};
  const auto findings = Review(lines, two).findings;
  EXPECT_EQ(findings, (std::vector<ActionLineFinding>{{2, u"位置 (100, 1100) 不在任何屏幕上。"},
                                                      {4, u"位置 (1920, 100) 不在任何屏幕上。"},
                                                      {5, u"位置 (-1024, 767) 不在任何屏幕上。"}}));
  EXPECT_TRUE(Review(lines, {}).findings.empty());
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
  findings.push_back({21, u"未知指令。"});
  findings.push_back({40000, u"未知指令。"});
  EXPECT_EQ(FindingsText(findings), ten + u"还有 2 处\r\n");
}

}  // namespace
}  // namespace tavorin

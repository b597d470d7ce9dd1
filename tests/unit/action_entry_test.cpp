// The action list: the buttons that add, load, save and remove its lines,
// and the texts those lines are made of.
#include <gtest/gtest.h>

#include <limits>

#include "core/actions/action_lines.h"
#include "core/actions/key_chord_capture.h"
#include "core/actions/number_text.h"
#include "core/execution/number_rules.h"
#include "core/interfaces/full_list.h"
#include "form1_fixture.h"

namespace tavorin {
namespace {

using testing::Fill;
using testing::Items;
using testing::Lines;
using testing::WindowLog;
using ActionListTest = testing::Form1Test;

// Four buttons open their window with the main window out of the
// always-on-top band meanwhile; copy and paste append their line, and on a
// full list add nothing and say so.
TEST_F(ActionListTest, EachButtonAppendsItsLineOrOpensItsWindowOffTheTopBand) {
  const std::pair<const char*, WindowLog> opening[] = {
      {"Command6(2)", {"hide", "picker"}},  // the picker brings the window back itself
      {"Command6(3)", {"not topmost 7", "key dialog", "topmost 7"}},
      {"Command6(4)", {"not topmost 7", "wait dialog", "topmost 7"}},
      {"Command6(5)", {"not topmost 7", "insert dialog", "topmost 7"}},
  };
  for (const auto& [button, expected] : opening) {
    log.clear();
    flows.Click(button);
    EXPECT_EQ(log, expected) << button;
  }
  for (const char* copyThenPaste : {"Command6(0)", "Command6(1)"}) flows.Click(copyThenPaste);
  EXPECT_EQ(Items(list3), (Lines{u"复制内容", u"粘贴内容"}));
  while (list3.ListCount() < ListBox::kMaxListItems) list3.AddItem(u"r");
  for (const char* copyThenPaste : {"Command6(0)", "Command6(1)"}) flows.Click(copyThenPaste);
  EXPECT_EQ(list3.List(ListBox::kMaxListItems - 1), u"r");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, FullListMessage(kActionListName));
}

// A double-click deletes the current line; actions load unchecked, and what
// is exported loads back the same. Reading and writing are the list file's,
// tested there.
TEST_F(ActionListTest, DeleteImportAndExport) {
  Fill(list3, {u"复制内容", u"粘贴内容"});
  flows.DoubleClick("List3");  // no current action
  list3.SetListIndex(0);
  flows.DoubleClick("List3");
  EXPECT_EQ(Items(list3), (Lines{u"粘贴内容"}));
  folder.Write("actions.txt", "点击位置 100 200\r\n  等候时长 2  \r\n");
  dialogs.openAnswers = {folder.Name("actions.txt")};
  flows.Click("Command8");
  const Lines loaded = {u"点击位置 100 200", u"  等候时长 2  "};
  EXPECT_EQ(std::pair(Items(list3), list3.SelCount()), std::pair(loaded, 0));
  dialogs.saveAnswers = {folder.Name("again.txt")};
  flows.Click("Command9");
  flows.Click("Command10");
  EXPECT_EQ(list3.ListCount(), 0);
  flows.DoubleClick("List3");  // empty list
  flows.DropFiles("List3", {folder.Name("again.txt")});
  EXPECT_EQ(Items(list3), loaded);
  EXPECT_TRUE(messages.shown.empty());
}

// Numbers in lines: fifteen significant digits, no trailing zeros, one zero
// before the point; outside the plain range an exponent follows, and the text
// reads back as the same value, infinity included. A click position truncates
// toward zero; an insert text is one line of an action file, so no CR or LF
// may reach it, whatever else it holds.
TEST(ActionLines, NumbersClicksAndInsertTexts) {
  const std::pair<double, std::u16string> cases[] = {{5, u"5"}, {0.5, u"0.5"}, {-0.25, u"-0.25"}, {0.1 + 0.2, u"0.3"},
      {100, u"100"}, {-0.0, u"0"}, {2.0 / 3, u"0.666666666666667"}, {123456789012345, u"123456789012345"},
      {0.0001, u"0.0001"}, {1.5e-7, u"1.5E-07"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
  const double infinity = std::numeric_limits<double>::infinity();
  for (double value : {1e15, 1.5e-7, -2.5e100, infinity, -infinity}) {
    EXPECT_EQ(ParseLeadingNumber(NumberText(value)), value) << value;
  }
  EXPECT_EQ(ClickLine(1919.99, 1079.5), u"点击位置 1919 1079");
  EXPECT_EQ(ClickLine(-0.5, -10.7), u"点击位置 0 -10");
  const std::pair<std::u16string, std::u16string> inserts[] = {{u"A行1\r\nB行2", u"插入内容 A行1B行2"},
      {u"\na\rb\n\r", u"插入内容 ab"}, {u" a  b ", u"插入内容  a  b "}, {u"", u"插入内容 "}};
  for (const auto& [typed, line] : inserts) EXPECT_EQ(InsertLine(typed), line);
}

TEST(KeyChordCapture, OnlyTheFirstReleaseAfterAPressRecords) {
  KeyChordCapture capture;
  EXPECT_EQ(capture.Release(), std::nullopt);  // a key pressed before the dialog opened
  capture.Press(0, kShiftMask);                // a key without a code
  EXPECT_EQ(capture.Release(), std::nullopt);
  capture.Press(16, kCtrlMask);  // a modifier holds itself
  EXPECT_EQ(capture.Text(), u"16 3");
  capture.Press(86, kCtrlMask);
  EXPECT_EQ(capture.Release(), u"按下按键 86 2");
  capture.Press(17, 0);  // after the chord: the other keys' releases change nothing
  EXPECT_EQ(capture.Release(), std::nullopt);
}

}  // namespace
}  // namespace tavorin

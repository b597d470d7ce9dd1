// The six buttons that add an action: the line they append, or the window
// they open with the main window out of the always-on-top band meanwhile.
#include <gtest/gtest.h>

#include <limits>

#include "core/actions/action_entry.h"
#include "core/actions/action_lines.h"
#include "core/actions/key_chord_capture.h"
#include "core/actions/number_text.h"
#include "core/execution/number_rules.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"
#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "logging_windows.h"

namespace tavorin {
namespace {

using testing::Lines;
using testing::WindowLog;

// On a full list copy and paste add nothing and say so.
TEST(ActionEntry, EachButtonAppendsItsLineOrOpensItsWindowOffTheTopBand) {
  const struct {
    int button;
    bool full;
    Lines added;
    WindowLog log;
  } cases[] = {
      {0, false, {u"复制内容"}, {}},
      {1, false, {u"粘贴内容"}, {}},
      {2, false, {}, {"hide", "picker"}},  // the picker brings the window back itself
      {3, false, {}, {"not topmost 7", "key dialog", "topmost 7"}},
      {4, false, {}, {"not topmost 7", "wait dialog", "topmost 7"}},
      {5, false, {}, {"not topmost 7", "insert dialog", "topmost 7"}},
      {6, false, {}, {}},
      {-1, false, {}, {}},
      {0, true, {}, {}},
      {1, true, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    WindowLog log;
    MemoryListBox actions;
    do actions.AddItem(u"等候时长 1");
    while (c.full && actions.ListCount() < ListBox::kMaxListItems);
    const Lines before = testing::Items(actions);
    testing::LoggingEntryWindows windows(log);
    testing::LoggingStacking stacking(log);
    testing::FakeMessageBoxes boxes;
    ActionEntry(actions, windows, stacking, boxes).AddAction(c.button);
    Lines expected = before;
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(testing::Items(actions), expected);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(boxes.shown.size(), c.full ? 1u : 0u);
    for (const auto& shown : boxes.shown) EXPECT_EQ(shown.text, FullListMessage(kActionListName));
  }
}

// Fifteen significant digits, no trailing zeros, one zero before the point;
// outside the plain range an exponent follows, and the text reads back as
// the same value, infinity included.
TEST(NumberText, FifteenSignificantDigitsAndAnExponentOutsideThePlainRange) {
  const std::pair<double, std::u16string> cases[] = {
      {5, u"5"},         {0.5, u"0.5"},     {-0.25, u"-0.25"}, {0.1 + 0.2, u"0.3"},
      {100, u"100"},     {-0.0, u"0"},      {2.0 / 3, u"0.666666666666667"},
      {123456789012345, u"123456789012345"}, {0.0001, u"0.0001"}, {1.5e-7, u"1.5E-07"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
  const double infinity = std::numeric_limits<double>::infinity();
  for (double value : {1e15, 1.5e-7, -2.5e100, infinity, -infinity}) {
    EXPECT_EQ(ParseLeadingNumber(NumberText(value)), value) << value;
  }
}

// A click position truncates toward zero; an insert text is one line of an
// action file, so no CR or LF may reach it, whatever else it holds.
TEST(ActionLines, ClickAndInsertLines) {
  EXPECT_EQ(ClickLine(1919.99, 1079.5), u"点击位置 1919 1079");
  EXPECT_EQ(ClickLine(-0.5, -10.7), u"点击位置 0 -10");
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"A行1\r\nB行2", u"插入内容 A行1B行2"}, {u"\na\rb\n\r", u"插入内容 ab"},
      {u" a  b ", u"插入内容  a  b "},          {u"", u"插入内容 "},
  };
  for (const auto& [typed, line] : cases) EXPECT_EQ(InsertLine(typed), line);
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

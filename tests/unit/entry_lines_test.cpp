#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/actions/action_lines.h"
#include "core/actions/key_chord_capture.h"
#include "core/actions/number_text.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

TEST(NumberText, FifteenSignificantDigitsNoTrailingZerosOneZeroBeforeThePoint) {
  const std::pair<double, std::u16string> cases[] = {
      {5, u"5"},         {0.5, u"0.5"},     {-0.25, u"-0.25"}, {0.1 + 0.2, u"0.3"},
      {100, u"100"},     {-0.0, u"0"},      {2.0 / 3, u"0.666666666666667"},
      {123456789012345, u"123456789012345"}, {0.0001, u"0.0001"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
}

// Outside the plain range an exponent follows; the text must read back as
// the same value, infinity included.
TEST(NumberText, ExponentFormReadsBack) {
  EXPECT_EQ(NumberText(1.5e-7), u"1.5E-07");
  const double infinity = std::numeric_limits<double>::infinity();
  for (double value : {1e15, 1.5e-7, -2.5e100, infinity, -infinity}) {
    EXPECT_EQ(ParseLeadingNumber(NumberText(value)), value) << value;
  }
}

TEST(ActionLines, ClickLineTruncatesTowardZero) {
  EXPECT_EQ(ClickLine(1919.99, 1079.5), u"点击位置 1919 1079");
  EXPECT_EQ(ClickLine(-0.5, -10.7), u"点击位置 0 -10");
}

// An insert text is one line of an action file: no CR or LF may reach it,
// whatever else it holds.
TEST(ActionLines, InsertLineKeepsTheTextButNoLineBreaks) {
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

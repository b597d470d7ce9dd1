#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "actions/action_lines.h"
#include "actions/key_chord_capture.h"
#include "actions/number_text.h"
#include "execution/number_rules.h"

namespace tavorin {
namespace {

TEST(NumberText, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  const std::pair<double, std::u16string> cases[] = {
      {5, u"5"},           {1.5, u"1.5"},       {0.5, u"0.5"},   {-3, u"-3"},
      {-0.25, u"-0.25"},   {0.1 + 0.2, u"0.3"}, {100, u"100"},   {2.50, u"2.5"},
      {123456789012345, u"123456789012345"},    {1.0 / 3, u"0.333333333333333"},
      {2.0 / 3, u"0.666666666666667"},          {0.0001, u"0.0001"},
      {-0.0, u"0"},        {0, u"0"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
}

// Outside the plain range the text has an exponent; whatever it is, it must
// read back as the same 15-digit value.
TEST(NumberText, VeryLargeAndSmallValuesReadBack) {
  EXPECT_EQ(NumberText(1e15), u"1E+15");
  EXPECT_EQ(NumberText(1.5e-7), u"1.5E-07");
  for (double value : {1e15, 1.5e-7, -2.5e100, 1e-300}) {
    EXPECT_EQ(ParseLeadingNumber(NumberText(value)), value) << value;
  }
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ParseLeadingNumber(NumberText(infinity)), infinity);
  EXPECT_EQ(ParseLeadingNumber(NumberText(-infinity)), -infinity);
}

TEST(ActionLines, WaitLineReadsTheTypedNumber) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"5", u"等候时长 5"},     {u"1.5", u"等候时长 1.5"}, {u"-3", u"等候时长 -3"},
      {u"2秒", u"等候时长 2"},   {u"1 0", u"等候时长 10"},  {u"abc", u"等候时长 0"},
      {u"", u"等候时长 0"},      {u"&H10", u"等候时长 16"}, {u"-0", u"等候时长 0"},
  };
  for (const auto& [typed, line] : cases) EXPECT_EQ(WaitLine(typed), line);
}

TEST(ActionLines, InsertAndKeyLinesKeepTheirTextVerbatim) {
  EXPECT_EQ(InsertLine(u""), u"插入内容 ");
  EXPECT_EQ(InsertLine(u" a  b "), u"插入内容  a  b ");
  EXPECT_EQ(InsertLine(u"%i"), u"插入内容 %i");
  EXPECT_EQ(KeyLine(u"86 2"), u"按下按键 86 2");
}

TEST(ActionLines, ClickLineTruncatesTowardZero) {
  EXPECT_EQ(ClickLine(0, 0), u"点击位置 0 0");
  EXPECT_EQ(ClickLine(1919.99, 1079.5), u"点击位置 1919 1079");
  EXPECT_EQ(ClickLine(-0.5, -10.7), u"点击位置 0 -10");
}

TEST(KeyChordCapture, ReleaseRecordsTheLastPress) {
  KeyChordCapture capture;
  capture.Press(17, kCtrlMask);
  EXPECT_EQ(capture.Text(), u"17 2");
  capture.Press(86, kCtrlMask);
  EXPECT_EQ(capture.Text(), u"86 2");
  EXPECT_EQ(capture.Release(), u"按下按键 86 2");

  KeyChordCapture plain;
  plain.Press(116, 0);
  EXPECT_EQ(plain.Release(), u"按下按键 116");
}

TEST(KeyChordCapture, ReleaseBeforeAnyPressRecordsNothing) {
  KeyChordCapture capture;
  EXPECT_EQ(capture.Release(), std::nullopt);
  capture.Press(0, kShiftMask);  // a key without a code
  EXPECT_EQ(capture.Release(), std::nullopt);
  EXPECT_TRUE(capture.Text().empty());
}

// Some window systems report a modifier key's press before its own state
// changes; the chord still holds the modifier.
TEST(KeyChordCapture, ModifierKeyAloneHoldsItself) {
  const std::pair<int, std::u16string> cases[] = {
      {16, u"16 1"}, {17, u"17 2"}, {18, u"18 4"}, {161, u"161 1"}, {165, u"165 4"}, {20, u"20"}};
  for (const auto& [vk, text] : cases) {
    KeyChordCapture capture;
    capture.Press(vk, 0);
    EXPECT_EQ(capture.Text(), text) << vk;
  }
  KeyChordCapture both;
  both.Press(16, kCtrlMask);  // Shift after Ctrl
  EXPECT_EQ(both.Text(), u"16 3");
}

}  // namespace
}  // namespace tavorin

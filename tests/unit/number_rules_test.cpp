#include "execution/number_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tavorin {
namespace {

TEST(ParseLeadingNumber, ReadsDecimalNumbersWithSignPointAndExponent) {
  EXPECT_EQ(ParseLeadingNumber(u"123"), 123);
  EXPECT_EQ(ParseLeadingNumber(u"-42"), -42);
  EXPECT_EQ(ParseLeadingNumber(u"+7"), 7);
  EXPECT_EQ(ParseLeadingNumber(u"2.5"), 2.5);
  EXPECT_EQ(ParseLeadingNumber(u".5"), 0.5);
  EXPECT_EQ(ParseLeadingNumber(u"5."), 5);
  EXPECT_EQ(ParseLeadingNumber(u"1.5e3"), 1500);
  EXPECT_EQ(ParseLeadingNumber(u"1.5E-1"), 0.15);
  EXPECT_EQ(ParseLeadingNumber(u"2e+2"), 200);
}

TEST(ParseLeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
  EXPECT_EQ(ParseLeadingNumber(u"1 2"), 12);
  EXPECT_EQ(ParseLeadingNumber(u"  \t- 1\n2 . 5"), -12.5);
  EXPECT_EQ(ParseLeadingNumber(u"1 e 2"), 100);
  EXPECT_EQ(ParseLeadingNumber(u"& h F F"), 255);
  // A carriage return is not among the skipped characters.
  EXPECT_EQ(ParseLeadingNumber(u"1\r2"), 1);
}

TEST(ParseLeadingNumber, StopsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(ParseLeadingNumber(u"12abc"), 12);
  EXPECT_EQ(ParseLeadingNumber(u"1.2.3"), 1.2);
  EXPECT_EQ(ParseLeadingNumber(u"3e"), 3);
  EXPECT_EQ(ParseLeadingNumber(u"3e+"), 3);
  EXPECT_EQ(ParseLeadingNumber(u"4x5"), 4);
  EXPECT_EQ(ParseLeadingNumber(u"--5"), 0);
  EXPECT_EQ(ParseLeadingNumber(u"１２"), 0);  // full-width digits are not digits
}

TEST(ParseLeadingNumber, TextWithoutNumberReadsZero) {
  for (const char16_t* text : {u"", u" ", u"abc", u"-", u"+", u".", u"e5", u"&", u"&X1", u"&H", u"&Hg"}) {
    EXPECT_EQ(ParseLeadingNumber(text), 0) << "text index";
  }
}

TEST(ParseLeadingNumber, ReadsHexadecimalAndOctalWholeNumbers) {
  EXPECT_EQ(ParseLeadingNumber(u"&H1F"), 31);
  EXPECT_EQ(ParseLeadingNumber(u"&hff"), 255);
  EXPECT_EQ(ParseLeadingNumber(u"&O17"), 15);
  EXPECT_EQ(ParseLeadingNumber(u"&o78"), 7);  // 8 is no octal digit
  EXPECT_EQ(ParseLeadingNumber(u"&H10.5"), 16);
}

TEST(ParseLeadingNumber, HugeInputsBecomeInfiniteOrZeroWithoutOverflow) {
  EXPECT_TRUE(std::isinf(ParseLeadingNumber(u"1e400")));
  EXPECT_LT(ParseLeadingNumber(u"-1e99999999999999999999"), 0);
  EXPECT_TRUE(std::isinf(ParseLeadingNumber(u"-1e99999999999999999999")));
  EXPECT_EQ(ParseLeadingNumber(u"1e-400"), 0);
  EXPECT_EQ(ParseLeadingNumber(u"0.0001e-99999999999"), 0);
  EXPECT_EQ(ParseLeadingNumber(u"1e0000000000000000000002"), 100);
  EXPECT_TRUE(std::isinf(ParseLeadingNumber(u"&H" + std::u16string(400, u'F'))));
  EXPECT_EQ(ParseLeadingNumber(std::u16string(5000, u'0') + u"7"), 7);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(10.5), 10);
  EXPECT_EQ(RoundToInt32(11.5), 12);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(-3.5), -4);
  EXPECT_EQ(RoundToInt32(2.4999), 2);
  EXPECT_EQ(RoundToInt32(2.5001), 3);
  EXPECT_EQ(RoundToUInt8(254.5), 254);
  EXPECT_EQ(RoundToUInt8(-0.5), 0);
}

TEST(Rounding, ValuesOutsideTheTargetAreReported) {
  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(RoundToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
  EXPECT_FALSE(RoundToInt32(2147483647.5));  // rounds to 2^31
  EXPECT_FALSE(RoundToInt32(-2147483649.0));
  EXPECT_FALSE(RoundToInt32(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(RoundToInt32(std::nan("")));
  EXPECT_EQ(RoundToUInt8(255.4), 255);
  EXPECT_FALSE(RoundToUInt8(255.5));  // rounds to 256
  EXPECT_FALSE(RoundToUInt8(-0.6));
  EXPECT_FALSE(RoundToUInt8(-std::numeric_limits<double>::infinity()));
}

}  // namespace
}  // namespace tavorin

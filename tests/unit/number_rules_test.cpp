#include "core/execution/number_rules.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace tavorin {
namespace {

TEST(ParseLeadingNumber, ReadsTheLeadingNumberAndStopsAtWhatDoesNotFit) {
  const std::pair<const char16_t*, double> cases[] = {
      // Decimal numbers with sign, point and exponent.
      {u"123", 123}, {u"-42", -42}, {u"+7", 7}, {u"2.5", 2.5}, {u".5", 0.5}, {u"5.", 5},
      {u"1.5e3", 1500}, {u"1.5E-1", 0.15}, {u"2e+2", 200},
      // Blanks, tabs and line feeds are skipped anywhere; a carriage return is not.
      {u"1 2", 12}, {u"  \t- 1\n2 . 5", -12.5}, {u"1 e 2", 100}, {u"& h F F", 255}, {u"1\r2", 1},
      // The first character that does not fit ends the number.
      {u"12abc", 12}, {u"1.2.3", 1.2}, {u"3e", 3}, {u"3e+", 3}, {u"4x5", 4}, {u"--5", 0},
      {u"１２", 0},  // full-width digits are not digits
      // Hexadecimal and octal whole numbers; 8 is no octal digit.
      {u"&H1F", 31}, {u"&hff", 255}, {u"&HaA", 170}, {u"&O17", 15}, {u"&o78", 7}, {u"&H10.5", 16},
      // No number at all reads zero.
      {u"", 0}, {u" ", 0}, {u"abc", 0}, {u"-", 0}, {u"+", 0}, {u".", 0}, {u"e5", 0}, {u"&", 0},
      {u"&X1", 0}, {u"&H", 0}, {u"&Hg", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLeadingNumber(c.first), c.second) << "case " << &c - cases;
  // A view ends where it ends, whatever follows it in memory.
  EXPECT_EQ(ParseLeadingNumber(std::u16string_view(u"123").substr(0, 2)), 12);
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

// A caller's rounding mode neither changes the rule nor is lost by it.
TEST(Rounding, TheCallersRoundingModeIsNeitherUsedNorChanged) {
  for (const int mode : {FE_UPWARD, FE_DOWNWARD}) {
    std::fesetround(mode);
    const auto rounded = RoundToInt32(2.5);
    const int after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(rounded, 2);
    EXPECT_EQ(after, mode);
  }
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

// On a 1280 x 1024 screen. Values past 16 bits must not wrap round to a
// point near the origin, nor past 32 bits to the other side.
TEST(ClampToScreen, PositionsPastTheScreenLandOnItsEdge) {
  const struct {
    const char16_t* text;
    std::int32_t width;
    std::int32_t x;
  } cases[] = {
      {u"100", 1280, 100},        {u"0", 1280, 0},           {u"1279", 1280, 1279},
      {u"1280", 1280, 1279},      {u"1300", 1280, 1279},     {u"32768", 1280, 1279},
      {u"65636", 1280, 1279},     {u"99999", 1280, 1279},    {u"4294967396", 1280, 1279},
      {u"1e400", 1280, 1279},     {u"-1", 1280, 0},          {u"-65536", 1280, 0},
      {u"-4294967296", 1280, 0},  {u"-1e400", 1280, 0},      {u"40000", 1024, 1023},
      {u"5", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampToScreen(RoundClampedToInt32(ParseLeadingNumber(c.text)), c.width), c.x)
        << "case " << (&c - cases);
  }
}

}  // namespace
}  // namespace tavorin

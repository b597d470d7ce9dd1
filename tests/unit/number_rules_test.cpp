#include "core/execution/number_rules.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace tavorin {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParseLeadingNumber, ReadsTheLeadingNumberAndStopsAtWhatDoesNotFit) {
  const std::pair<std::u16string, double> cases[] = {
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
      // Huge inputs become infinite or zero without overflow.
      {u"1e400", kInf}, {u"-1e99999999999999999999", -kInf}, {u"1e-400", 0}, {u"0.0001e-99999999999", 0},
      {u"1e0000000000000000000002", 100}, {u"&H" + std::u16string(400, u'F'), kInf},
      {std::u16string(5000, u'0') + u"7", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLeadingNumber(c.first), c.second) << "case " << &c - cases;
  // A view ends where it ends, whatever follows it in memory.
  EXPECT_EQ(ParseLeadingNumber(std::u16string_view(u"123").substr(0, 2)), 12);
}

// Halves go to the even neighbour; values outside the target are reported.
TEST(Rounding, HalvesToEvenAndOutOfRangeIsNothing) {
  const std::pair<double, std::optional<std::int32_t>> toInt32[] = {
      {2.5, 2}, {3.5, 4}, {10.5, 10}, {11.5, 12}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3},
      {2147483647.0, 2147483647}, {-2147483648.0, std::numeric_limits<std::int32_t>::min()},
      {2147483647.5, std::nullopt}, {-2147483649.0, std::nullopt}, {kInf, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const auto& [value, rounded] : toInt32) EXPECT_EQ(RoundToInt32(value), rounded) << value;
  const std::pair<double, std::optional<std::uint8_t>> toUInt8[] = {
      {254.5, 254}, {-0.5, 0}, {255.4, 255}, {255.5, std::nullopt}, {-0.6, std::nullopt}, {-kInf, std::nullopt},
  };
  for (const auto& [value, rounded] : toUInt8) EXPECT_EQ(RoundToUInt8(value), rounded) << value;
  // A caller's rounding mode neither changes the rule nor is lost by it.
  for (const int mode : {FE_UPWARD, FE_DOWNWARD}) {
    std::fesetround(mode);
    const auto rounded = RoundToInt32(2.5);
    const int after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(rounded, 2);
    EXPECT_EQ(after, mode);
  }
}

// Values past 16 bits must not wrap round to a point near the origin, nor
// past 32 bits to the other side.
TEST(ClampToScreen, PositionsPastTheScreenLandOnItsEdge) {
  const struct {
    const char16_t* text;
    std::int32_t width;
    std::int32_t x;
  } cases[] = {
      {u"100", 1280, 100},       {u"0", 1280, 0},          {u"1279", 1280, 1279},     {u"1280", 1280, 1279},
      {u"65636", 1280, 1279},    {u"4294967396", 1280, 1279}, {u"1e400", 1280, 1279}, {u"-1", 1280, 0},
      {u"-65536", 1280, 0},      {u"-4294967296", 1280, 0}, {u"-1e400", 1280, 0},     {u"40000", 1024, 1023},
      {u"5", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampToScreen(RoundClampedToInt32(ParseLeadingNumber(c.text)), c.width), c.x) << (&c - cases);
  }
}

}  // namespace
}  // namespace tavorin

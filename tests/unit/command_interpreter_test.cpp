// The interpreter's commands, and the number rules they are read with.
#include "core/execution/command_interpreter.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "core/execution/number_rules.h"
#include "recording_platform.h"

namespace tavorin {
namespace {

using Log = std::vector<std::string>;

// The events, then the settle that ends a click or a key chord.
Log Settled(std::vector<std::string> events) {
  events.push_back("sleep 50");
  return events;
}
const Log kPaste = Settled({"key 17 down", "key 86 down", "key 86 up", "key 17 up"});
// The text set verbatim, a short settle, Ctrl+V.
Log Paste(const std::string& text) {
  return Settled({"clipboard " + text, "sleep 10", "key 17 down", "key 86 down", "key 86 up", "key 17 up"});
}
const Log kF5 = Settled({"key 116 down", "key 116 up"});
const Log kUnknown = {"error 未知指令。"};
const Log kBadPointer = {"error 参数错误。"};
const Log kBad = {"error 参数错误"};

// Modifiers go down Ctrl, Alt, Shift and come up in reverse. Numbers are
// read by the shared rule; values that cannot reach the system
// as given are refused with the command's argument message and no event,
// except positions, which keep their side: the screen's edge.
TEST(ExecuteCommand, EachCommandLogsItsEvents) {
  const std::u16string nines(100000, u'9');
  const std::pair<std::u16string, Log> cases[] = {
      // Pointer moves: no pause.
      {u"p 100 200", {"move 100 200"}}, {u"p 10 20 30", {"move 10 2030"}}, {u"p  5 6", {"move 0 56"}},
      {u"p 10.5 11.5", {"move 10 12"}}, {u"p -5 &H10", {"move -5 16"}}, {u"p x y", {"move 0 0"}},
      {u"P100 200", kUnknown}, {u"p", kUnknown}, {u"p 100", kBadPointer}, {u"p ", kBadPointer}, {u" p 1 2", {}},
      {u"p 2147483648 0", {"move 2147483647 0"}}, {u"p 0 -2147483649", {"move 0 -2147483648"}},
      {u"p 4294967396 65636", {"move 2147483647 65636"}},
      // Clicks: the letter decides, whatever follows.
      {u"l", Settled({"mouse 6"})}, {u"left", Settled({"mouse 6"})}, {u"r", Settled({"mouse 24"})},
      {u"m anything", Settled({"mouse 96"})}, {u"d", Settled({"mouse 6", "sleep 10", "mouse 6"})},
      // Pauses: at least 50 ms.
      {u"s", {"sleep 50"}}, {u"s 50", {"sleep 50"}}, {u"s 51", {"sleep 51"}},
      {u"S 5000", {"sleep 5000"}}, {u"s 50.5", {"sleep 50"}}, {u"s 51.5", {"sleep 52"}}, {u"s -5", {"sleep 50"}},
      {u"s5", {}}, {u"sx 100", kUnknown}, {u"s 2147483647", {"sleep 2147483647"}},
      {u"s 2147483648", kBad}, {u"s -1e20", kBad}, {u"s &H" + std::u16string(300, u'F'), kBad},
      // Key chords: the modifier comes from the last character only.
      {u"k 116", kF5}, {u"k 86 2", kPaste}, {u"kx86 2", kPaste}, {u"k 86 12", kPaste}, {u"k -1", kBad},
      {u"k 86 9 2", kPaste}, {u"k 86 x", Settled({"key 86 down", "key 86 up"})}, {u"k -0.6 2", kBad},
      {u"k 65 1", Settled({"key 16 down", "key 65 down", "key 65 up", "key 16 up"})},
      {u"k 65.5", Settled({"key 66 down", "key 66 up"})}, {u"k 254.5", Settled({"key 254 down", "key 254 up"})},
      {u"k 17 2", Settled({"key 17 down", "key 17 down", "key 17 up", "key 17 up"})},
      {u"k 86 4", Settled({"key 18 down", "key 86 down", "key 86 up", "key 18 up"})},
      {u"k 86 7", Settled({"key 17 down", "key 18 down", "key 16 down", "key 86 down", "key 86 up", "key 16 up",
                         "key 18 up", "key 17 up"})},
      {u"k 8 6 2", Settled({"key 17 down", "key 8 down", "key 8 up", "key 17 up"})},
      {u"k 255", Settled({"key 255 down", "key 255 up"})}, {u"k -0.5", Settled({"key 0 down", "key 0 up"})},
      {u"k 86 8", kBad}, {u"k 86 ", kBad}, {u"k", kBad}, {u"k 256", kBad}, {u"k 255.5", kBad},
      // Text, never trimmed.
      {u"t hello world", Paste("hello world")}, {u"T 你好  世界 ", Paste("你好  世界 ")},
      {u"t", kBad}, {u"t ", kBad}, {u"tx hello", {}},
      // Anything else does nothing.
      {u"", {}}, {u"x 1 2", {}}, {u"复制内容", {}},
      // Huge numbers and odd texts: refused or clamped, never a wrap, a key left down or a short pause.
      {u"s " + nines, kBad}, {u"s 1e" + nines, kBad}, {u"s 0." + std::u16string(100000, u'0') + u"1", {"sleep 50"}},
      {u"p " + nines + u" " + nines, {"move 2147483647 2147483647"}}, {u"k " + nines + u" 2", kBad},
      {u"k" + std::u16string(50000, u' '), kBad}, {std::u16string(u"s\0 5", 4), kUnknown},
      {std::u16string(u"k\xd800&o7\t\x01-1e-"), Settled({"key 7 down", "key 7 up"})},
  };
  for (const auto& [command, expected] : cases) {
    testing::RecordingPlatform platform;
    ExecuteCommand(platform, command);
    EXPECT_EQ(platform.Log(), expected) << "«" << testing::ToUtf8(command) << "»";
  }
}

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
// Key codes take the same rule into 0-255: the key lines above show it.
TEST(Rounding, HalvesToEvenAndOutOfRangeIsNothing) {
  const std::pair<double, std::optional<std::int32_t>> toInt32[] = {
      {2.5, 2}, {3.5, 4}, {10.5, 10}, {11.5, 12}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3},
      {2147483647.0, 2147483647}, {-2147483648.0, std::numeric_limits<std::int32_t>::min()},
      {2147483647.5, std::nullopt}, {-2147483649.0, std::nullopt}, {kInf, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const auto& [value, rounded] : toInt32) EXPECT_EQ(RoundToInt32(value), rounded) << value;
  // A caller's rounding mode neither changes the rule nor is lost by it.
  for (const int mode : {FE_UPWARD, FE_DOWNWARD}) {
    std::fesetround(mode);
    const auto rounded = RoundToInt32(2.5);
    const int after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(std::pair(rounded, after), std::pair(std::optional<std::int32_t>(2), mode));
  }
}

// Values past 16 bits must not wrap round to a point near the origin, nor
// past 32 bits to the other side.
TEST(ClampToScreen, PositionsPastTheScreenLandOnItsEdge) {
  const std::tuple<const char16_t*, std::int32_t, std::int32_t> cases[] = {  // text, screen width, x
      {u"100", 1280, 100},   {u"0", 1280, 0},          {u"1279", 1280, 1279}, {u"1280", 1280, 1279},
      {u"65636", 1280, 1279}, {u"4294967396", 1280, 1279}, {u"1e400", 1280, 1279}, {u"-1", 1280, 0},
      {u"-1e400", 1280, 0},  {u"40000", 1024, 1023},    {u"5", 0, 0}};
  for (const auto& [text, width, x] : cases) {
    EXPECT_EQ(ClampToScreen(RoundClampedToInt32(ParseLeadingNumber(text)), width), x) << testing::ToUtf8(text);
  }
}

}  // namespace
}  // namespace tavorin

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/execution/command_interpreter.h"
#include "recording_platform.h"

namespace tavorin {
namespace {

using testing::RecordingPlatform;

// Characters that exercise every branch of the reader: command letters,
// separators, digits, signs, exponents, the &H and &O prefixes, control
// characters, surrogate halves and Chinese text.
constexpr char16_t kAlphabet[] = u"pPlLrRmMdDsSkKtTxX &hHoOeE.+-0123456789AaFf\t\n\r\x01\x7f\xd800\xdfff复制按";

std::u16string RandomCommand(std::mt19937& random) {
  std::uniform_int_distribution<int> lengthKind(0, 9);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kAlphabet) - 2);
  std::size_t length = 0;
  switch (lengthKind(random)) {
    case 0:
      length = 2000 + random() % 20000;
      break;
    case 1:
      length = 0;
      break;
    default:
      length = random() % 24;
  }
  std::u16string command;
  for (std::size_t i = 0; i < length; ++i) command += kAlphabet[pick(random)];
  return command;
}

// Whatever the text, the interpreter returns, every key it presses is let go
// again, and no pause is shorter than its rules allow.
void ExpectSaneOutcome(const std::u16string& command) {
  RecordingPlatform platform;
  ExecuteCommand(platform, command);
  int keysDown = 0;
  int errors = 0;
  for (const auto& line : platform.Log()) {
    if (line.ends_with(" down")) ++keysDown;
    if (line.ends_with(" up")) --keysDown;
    if (line.starts_with("error ")) ++errors;
    if (line.starts_with("sleep ")) {
      const long pause = std::stol(line.substr(6));
      EXPECT_TRUE(pause == 10 || pause >= 50) << line;
    }
  }
  EXPECT_EQ(keysDown, 0);
  EXPECT_LE(errors, 1);
  if (errors == 1) {
    EXPECT_EQ(platform.Log().size(), 1u) << "an error must come alone";
  }
}

TEST(HostileCommands, RandomTextsNeverCrashOrLeaveKeysDown) {
  std::mt19937 random(20261206);
  for (int i = 0; i < 20000; ++i) ExpectSaneOutcome(RandomCommand(random));
}

TEST(HostileCommands, CraftedExtremesAreHandled) {
  const std::u16string manyNines(100000, u'9');
  const std::u16string manyHex(100000, u'F');
  const std::u16string texts[] = {
      u"s " + manyNines,
      u"s &H" + manyHex,
      u"s &O" + std::u16string(100000, u'7'),
      u"p " + manyNines + u" " + manyNines,
      u"k " + manyNines + u" 2",
      u"k &H" + manyHex,
      u"s 1e" + manyNines,
      u"s -1e" + manyNines,
      u"s 1e-" + manyNines,
      u"s 0." + std::u16string(100000, u'0') + u"1",
      u"t " + std::u16string(1 << 20, u'字'),
      u"k" + std::u16string(50000, u' '),
      u"p" + std::u16string(50000, u' '),
      std::u16string(u"s\0 5", 4),
      std::u16string(1, u'\0'),
  };
  for (const auto& text : texts) ExpectSaneOutcome(text);
}

}  // namespace
}  // namespace tavorin

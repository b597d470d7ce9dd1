#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/execution/command_interpreter.h"
#include "recording_platform.h"

namespace tavorin {
namespace {

// Whatever the text, the interpreter returns, every key it presses is let go
// again, no pause is shorter than its rules allow, and an error comes alone.
void ExpectSaneOutcome(const std::u16string& command) {
  testing::RecordingPlatform platform;
  ExecuteCommand(platform, command);
  int keysDown = 0;
  for (const auto& line : platform.Log()) {
    keysDown += line.ends_with(" down") - line.ends_with(" up");
    if (line.starts_with("sleep ")) {
      EXPECT_TRUE(line == "sleep 10" || std::stol(line.substr(6)) >= 50) << line;
    }
    if (line.starts_with("error ")) {
      EXPECT_EQ(platform.Log().size(), 1u) << line;
    }
  }
  EXPECT_EQ(keysDown, 0);
}

// Characters for every branch of the reader: command letters, separators,
// digits, signs, exponents, the &H and &O prefixes, control characters,
// surrogate halves and Chinese text; mostly short, now and then very long.
TEST(HostileCommands, RandomTextsNeverCrashOrLeaveKeysDown) {
  constexpr char16_t kAlphabet[] = u"pPlLrRmMdDsSkKtTxX &hHoOeE.+-0123456789AaFf\t\n\r\x01\x7f\xd800\xdfff复制按";
  std::mt19937 random(20261206);
  for (int i = 0; i < 20000; ++i) {
    const int kind = random() % 10;
    std::u16string command(kind == 0 ? 2000 + random() % 20000 : kind == 1 ? 0 : random() % 24, u' ');
    for (auto& c : command) c = kAlphabet[random() % (std::size(kAlphabet) - 1)];
    ExpectSaneOutcome(command);
  }
}

TEST(HostileCommands, CraftedExtremesAreHandled) {
  const std::u16string nines(100000, u'9');
  const std::u16string hex(100000, u'F');
  for (const auto& text : {u"s " + nines, u"s &H" + hex, u"s &O" + std::u16string(100000, u'7'),
                           u"p " + nines + u" " + nines, u"k " + nines + u" 2", u"k &H" + hex, u"s 1e" + nines,
                           u"s -1e" + nines, u"s 1e-" + nines, u"s 0." + std::u16string(100000, u'0') + u"1",
                           u"t " + std::u16string(1 << 20, u'字'), u"k" + std::u16string(50000, u' '),
                           u"p" + std::u16string(50000, u' '), std::u16string(u"s\0 5", 4), std::u16string(1, 0)}) {
    ExpectSaneOutcome(text);
  }
}

}  // namespace
}  // namespace tavorin

#include "core/execution/command_interpreter.h"

#include <gtest/gtest.h>

#include "recording_platform.h"

namespace tavorin {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPlatform;
using testing::ToUtf8;

struct Case {
  std::u16string command;
  Log expected;
};

void ExpectLogs(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    RecordingPlatform platform;
    ExecuteCommand(platform, c.command);
    EXPECT_EQ(platform.Log(), c.expected) << "command «" << ToUtf8(c.command) << "»";
  }
}

const Log kPasteChord = {"key 17 down", "key 86 down", "key 86 up", "key 17 up", "sleep 50"};
const std::string kUnknown = "error 未知指令。";
const std::string kBadPointer = "error 参数错误。";
const std::string kBad = "error 参数错误";

TEST(ExecuteCommand, PointerMovesWithoutPauseAndReadsNumbersByTheSharedRule) {
  ExpectLogs({
      {u"p 100 200", {"move 100 200"}},
      {u"P 100 200", {"move 100 200"}},
      {u"p 10 20 30", {"move 10 2030"}},
      {u"p  5 6", {"move 0 56"}},
      {u"p 10.5 11.5", {"move 10 12"}},
      {u"p -5 &H10", {"move -5 16"}},
      {u"p x y", {"move 0 0"}},
      {u"P100 200", {kUnknown}},
      {u"p", {kUnknown}},
      {u"p 100", {kBadPointer}},
      {u"p ", {kBadPointer}},
      {u" p 1 2", {}},
  });
}

TEST(ExecuteCommand, ClickLettersIgnoreWhatFollows) {
  const Log click = {"mouse 6", "sleep 50"};
  ExpectLogs({
      {u"l", click},
      {u"L", click},
      {u"left", click},
      {u"r", {"mouse 24", "sleep 50"}},
      {u"m anything", {"mouse 96", "sleep 50"}},
      {u"d", {"mouse 6", "sleep 10", "mouse 6", "sleep 50"}},
  });
}

TEST(ExecuteCommand, PauseLastsAtLeastFiftyMilliseconds) {
  ExpectLogs({
      {u"s", {"sleep 50"}},
      {u"s ", {"sleep 50"}},
      {u"s 20", {"sleep 50"}},
      {u"s 50", {"sleep 50"}},
      {u"s 51", {"sleep 51"}},
      {u"S 5000", {"sleep 5000"}},
      {u"s 50.5", {"sleep 50"}},
      {u"s 51.5", {"sleep 52"}},
      {u"s -5", {"sleep 50"}},
      {u"s abc", {"sleep 50"}},
      {u"s 0.5000", {"sleep 50"}},
      {u"s5", {}},
      {u"sx 100", {kUnknown}},
  });
}

TEST(ExecuteCommand, KeyChordTakesTheModifierFromTheLastCharacterOnly) {
  auto chord = [](std::vector<std::string> keys) {
    keys.push_back("sleep 50");
    return keys;
  };
  ExpectLogs({
      {u"k 116", chord({"key 116 down", "key 116 up"})},
      {u"K 116", chord({"key 116 down", "key 116 up"})},
      {u"k 86 2", kPasteChord},
      {u"kx86 2", kPasteChord},
      {u"k 86 12", kPasteChord},
      {u"k 86 9 2", kPasteChord},
      {u"k 86 x", chord({"key 86 down", "key 86 up"})},
      {u"k 65 1", chord({"key 16 down", "key 65 down", "key 65 up", "key 16 up"})},
      {u"k 65.5", chord({"key 66 down", "key 66 up"})},
      {u"k 8 6 2", chord({"key 17 down", "key 8 down", "key 8 up", "key 17 up"})},
      {u"k 86 8", {kBad}},
      {u"k 86 ", {kBad}},
      {u"k", {kBad}},
      {u"k ", {kBad}},
  });
}

TEST(ExecuteCommand, PasteSetsTheClipboardWaitsTenMillisecondsAndPressesCtrlV) {
  Log paste = {"clipboard hello world", "sleep 10"};
  paste.insert(paste.end(), kPasteChord.begin(), kPasteChord.end());
  ExpectLogs({
      {u"t hello world", paste},
      {u"t", {kBad}},
      {u"t ", {kBad}},
      {u"tx hello", {}},
  });

  RecordingPlatform platform;
  ExecuteCommand(platform, u"T 你好  世界 ");
  EXPECT_EQ(platform.Clipboard(), u"你好  世界 ");  // verbatim, never trimmed
}

TEST(ExecuteCommand, OtherFirstCharactersDoNothing) {
  ExpectLogs({{u"", {}}, {u"x 1 2", {}}, {u"复制内容", {}}, {u"\t", {}}});
}

// Values that cannot reach the system as given are refused with the
// command's argument message and produce no event; positions are the
// exception, since every position has a nearest point on the screen.
TEST(ExecuteCommand, OutOfRangeNumbersAreRefusedWithoutAnyEvent) {
  ExpectLogs({
      {u"k 256", {kBad}},
      {u"k 255.5", {kBad}},
      {u"k -1", {kBad}},
      {u"k -0.6 2", {kBad}},
      {u"k 1e300", {kBad}},
      {u"k 255", {"key 255 down", "key 255 up", "sleep 50"}},
      {u"k -0.5", {"key 0 down", "key 0 up", "sleep 50"}},
      // Past 32 bits a position keeps its side: the screen's edge.
      {u"p 2147483648 0", {"move 2147483647 0"}},
      {u"p 0 -2147483649", {"move 0 -2147483648"}},
      {u"p 1e400 -1e400", {"move 2147483647 -2147483648"}},
      {u"p 4294967396 65636", {"move 2147483647 65636"}},
      {u"p 2147483647 -2147483648", {"move 2147483647 -2147483648"}},
      {u"s 2147483648", {kBad}},
      {u"s -1e20", {kBad}},
      {u"s &H" + std::u16string(300, u'F'), {kBad}},
      {u"s 2147483647", {"sleep 2147483647"}},
  });
}

}  // namespace
}  // namespace tavorin

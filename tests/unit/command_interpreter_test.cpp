#include "core/execution/command_interpreter.h"

#include <gtest/gtest.h>

#include "recording_platform.h"

namespace tavorin {
namespace {

using Log = std::vector<std::string>;

Log Chord(std::vector<std::string> keys) {
  keys.push_back("sleep 50");
  return keys;
}
const Log kPaste = Chord({"key 17 down", "key 86 down", "key 86 up", "key 17 up"});
const Log kF5 = Chord({"key 116 down", "key 116 up"});
const Log kUnknown = {"error 未知指令。"};
const Log kBadPointer = {"error 参数错误。"};
const Log kBad = {"error 参数错误"};

// Modifiers go down Ctrl, Alt, Shift and come up in reverse. Numbers are
// read by the shared rule; values that cannot reach the system
// as given are refused with the command's argument message and no event,
// except positions, which keep their side: the screen's edge.
TEST(ExecuteCommand, EachCommandLogsItsEvents) {
  Log paste = {"clipboard hello world", "sleep 10"};
  paste.insert(paste.end(), kPaste.begin(), kPaste.end());
  const std::pair<std::u16string, Log> cases[] = {
      // Pointer moves: no pause.
      {u"p 100 200", {"move 100 200"}}, {u"p 10 20 30", {"move 10 2030"}},
      {u"p  5 6", {"move 0 56"}}, {u"p 10.5 11.5", {"move 10 12"}}, {u"p -5 &H10", {"move -5 16"}},
      {u"p x y", {"move 0 0"}}, {u"P100 200", kUnknown}, {u"p", kUnknown}, {u"p 100", kBadPointer},
      {u"p ", kBadPointer}, {u" p 1 2", {}},
      {u"p 2147483648 0", {"move 2147483647 0"}}, {u"p 0 -2147483649", {"move 0 -2147483648"}},
      {u"p 4294967396 65636", {"move 2147483647 65636"}},
      // Clicks: the letter decides, whatever follows.
      {u"l", {"mouse 6", "sleep 50"}}, {u"left", {"mouse 6", "sleep 50"}},
      {u"r", {"mouse 24", "sleep 50"}}, {u"m anything", {"mouse 96", "sleep 50"}},
      {u"d", {"mouse 6", "sleep 10", "mouse 6", "sleep 50"}},
      // Pauses: at least 50 ms.
      {u"s", {"sleep 50"}}, {u"s 50", {"sleep 50"}}, {u"s 51", {"sleep 51"}},
      {u"S 5000", {"sleep 5000"}}, {u"s 50.5", {"sleep 50"}}, {u"s 51.5", {"sleep 52"}}, {u"s -5", {"sleep 50"}},
      {u"s5", {}}, {u"sx 100", kUnknown}, {u"s 2147483647", {"sleep 2147483647"}},
      {u"s 2147483648", kBad}, {u"s -1e20", kBad}, {u"s &H" + std::u16string(300, u'F'), kBad},
      // Key chords: the modifier comes from the last character only.
      {u"k 116", kF5}, {u"k 86 2", kPaste}, {u"kx86 2", kPaste}, {u"k 86 12", kPaste},
      {u"k 86 9 2", kPaste}, {u"k 86 x", Chord({"key 86 down", "key 86 up"})},
      {u"k 65 1", Chord({"key 16 down", "key 65 down", "key 65 up", "key 16 up"})},
      {u"k 65.5", Chord({"key 66 down", "key 66 up"})},
      {u"k 17 2", Chord({"key 17 down", "key 17 down", "key 17 up", "key 17 up"})},
      {u"k 86 4", Chord({"key 18 down", "key 86 down", "key 86 up", "key 18 up"})},
      {u"k 86 7", Chord({"key 17 down", "key 18 down", "key 16 down", "key 86 down", "key 86 up", "key 16 up",
                         "key 18 up", "key 17 up"})},
      {u"k 8 6 2", Chord({"key 17 down", "key 8 down", "key 8 up", "key 17 up"})},
      {u"k 255", Chord({"key 255 down", "key 255 up"})}, {u"k -0.5", Chord({"key 0 down", "key 0 up"})},
      {u"k 86 8", kBad}, {u"k 86 ", kBad}, {u"k", kBad}, {u"k 256", kBad}, {u"k 255.5", kBad},
      {u"k -1", kBad}, {u"k -0.6 2", kBad},
      // Text: set, a short settle, Ctrl+V.
      {u"t hello world", paste}, {u"t", kBad}, {u"t ", kBad}, {u"tx hello", {}},
      // Anything else does nothing.
      {u"", {}}, {u"x 1 2", {}}, {u"复制内容", {}},
  };
  for (const auto& [command, expected] : cases) {
    testing::RecordingPlatform platform;
    ExecuteCommand(platform, command);
    EXPECT_EQ(platform.Log(), expected) << "«" << testing::ToUtf8(command) << "»";
  }
  testing::RecordingPlatform platform;
  ExecuteCommand(platform, u"T 你好  世界 ");
  EXPECT_EQ(platform.Clipboard(), u"你好  世界 ");  // verbatim, never trimmed
}

// Huge numbers, long and odd texts: the interpreter returns, lets go of
// every key it presses, and pauses no shorter than its rules allow.
TEST(ExecuteCommand, OddTextsNeverCrashHangOrLeaveKeysDown) {
  const std::u16string nines(100000, u'9');
  for (const auto& text :
       {u"s " + nines, u"s &H" + std::u16string(100000, u'F'), u"s 1e" + nines, u"p " + nines + u" " + nines,
        u"s 0." + std::u16string(100000, u'0') + u"1", u"k " + nines + u" 2", u"k" + std::u16string(50000, u' '),
        u"t " + std::u16string(1 << 20, u'字'), std::u16string(u"s\0 5", 4), std::u16string(u"k\xd800&o7\t\x01-1e-")}) {
    testing::RecordingPlatform platform;
    ExecuteCommand(platform, text);
    int keysDown = 0;
    for (const auto& line : platform.Log()) {
      keysDown += line.ends_with(" down") - line.ends_with(" up");
      EXPECT_FALSE(line.starts_with("sleep ") && line != "sleep 10" && std::stol(line.substr(6)) < 50) << line;
    }
    EXPECT_EQ(keysDown, 0);
  }
}

}  // namespace
}  // namespace tavorin

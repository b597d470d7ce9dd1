#include "core/execution/input_simulation.h"

#include <gtest/gtest.h>

#include "recording_platform.h"

namespace tavorin {
namespace {

using Log = std::vector<std::string>;

// Modifiers go down Ctrl, Alt, Shift and come up in reverse; codes outside
// 0-7 press nothing, nor does a click code without a button, yet both pause.
TEST(InputSimulation, ChordsAndClicksPressTheirKeysAndAlwaysPause) {
  const std::pair<int, Log> chords[] = {
      {4, {"key 18 down", "key 86 down", "key 86 up", "key 18 up"}},
      {7, {"key 17 down", "key 18 down", "key 16 down", "key 86 down", "key 86 up", "key 16 up", "key 18 up",
           "key 17 up"}},
      {8, {}},
      {-1, {}},
  };
  for (const auto& [modifiers, keys] : chords) {
    testing::RecordingPlatform platform;
    PressKeyChord(platform, 86, modifiers);
    Log expected = keys;
    expected.push_back("sleep 50");
    EXPECT_EQ(platform.Log(), expected) << "modifiers " << modifiers;
  }
  testing::RecordingPlatform platform;
  PressKeyChord(platform, 17, 2);  // the modifier itself as the key goes down twice
  ClickMouse(platform, 3);
  EXPECT_EQ(platform.Log(), (Log{"key 17 down", "key 17 down", "key 17 up", "key 17 up", "sleep 50", "sleep 50"}));
}

}  // namespace
}  // namespace tavorin

#include "core/execution/input_simulation.h"

#include <gtest/gtest.h>

#include "recording_platform.h"

namespace tavorin {
namespace {

using Log = std::vector<std::string>;
using testing::RecordingPlatform;

// The click letters' codes are tested through the interpreter; other codes
// press no button but still pause.
TEST(ClickMouse, CodesWithoutAButtonOnlyPause) {
  for (int code : {0, 3, -1}) {
    RecordingPlatform platform;
    ClickMouse(platform, code);
    EXPECT_EQ(platform.Log(), Log{"sleep 50"}) << "code " << code;
  }
}

// Ctrl alone is the interpreter's paste chord, tested there.
TEST(PressKeyChord, ModifiersGoDownCtrlAltShiftAndComeUpInReverse) {
  struct Case {
    int modifiers;
    Log keys;
  };
  const Case cases[] = {
      {0, {"key 86 down", "key 86 up"}},
      {1, {"key 16 down", "key 86 down", "key 86 up", "key 16 up"}},
      {4, {"key 18 down", "key 86 down", "key 86 up", "key 18 up"}},
      {7,
       {"key 17 down", "key 18 down", "key 16 down", "key 86 down", "key 86 up", "key 16 up", "key 18 up",
        "key 17 up"}},
      {8, {}},
      {-1, {}},
  };
  for (const auto& c : cases) {
    RecordingPlatform platform;
    PressKeyChord(platform, 86, c.modifiers);
    Log expected = c.keys;
    expected.push_back("sleep 50");
    EXPECT_EQ(platform.Log(), expected) << "modifiers " << c.modifiers;
  }
}

TEST(PressKeyChord, ModifierKeyItselfAsTheKeyIsPressedTwice) {
  RecordingPlatform platform;
  PressKeyChord(platform, 17, 2);
  EXPECT_EQ(platform.Log(), (Log{"key 17 down", "key 17 down", "key 17 up", "key 17 up", "sleep 50"}));
}

}  // namespace
}  // namespace tavorin

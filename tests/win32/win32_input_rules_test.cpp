// The rules of the Windows input layer that need no desktop: where absolute
// moves land, which keys are extended, and which key events the stop key
// swallows.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/win32/key_input.h"
#include "platform/win32/own_input.h"
#include "platform/win32/pointer_input.h"
#include "platform/win32/stop_key_hook.h"

namespace tavorin {
namespace {

// The pixel the system puts the pointer on for an absolute value.
std::int64_t LandsOn(std::int32_t value, std::int32_t origin, std::int32_t size) {
  return origin + static_cast<std::int64_t>(value) * size / 65536;
}

TEST(AbsoluteAxisValueTest, EveryPixelOfTheAxisIsHitExactly) {
  struct Axis {
    std::int32_t origin, size;
  };
  // Single screens, a left monitor at a negative offset, odd and tiny sizes.
  for (const Axis axis : {Axis{0, 1280}, Axis{0, 1024}, Axis{0, 1366}, Axis{-1920, 3840},
                          Axis{-768, 1792}, Axis{0, 7}, Axis{0, 1}, Axis{0, 65536}}) {
    for (std::int64_t pixel = axis.origin; pixel < axis.origin + axis.size; ++pixel) {
      const std::int32_t value = AbsoluteAxisValue(pixel, axis.origin, axis.size);
      ASSERT_GE(value, 0);
      ASSERT_LE(value, 65535);
      ASSERT_EQ(LandsOn(value, axis.origin, axis.size), pixel)
          << "axis from " << axis.origin << ", " << axis.size << " pixels";
    }
  }
}

TEST(AbsoluteAxisValueTest, PixelsOffTheAxisGoToItsNearestEnd) {
  EXPECT_EQ(AbsoluteAxisValue(-1, 0, 1280), 0);
  EXPECT_EQ(AbsoluteAxisValue(-2147483648LL, -1920, 3840), 0);
  EXPECT_EQ(LandsOn(AbsoluteAxisValue(1280, 0, 1280), 0, 1280), 1279);
  EXPECT_EQ(LandsOn(AbsoluteAxisValue(2147483647LL, -1920, 3840), -1920, 3840), 1919);
  EXPECT_EQ(AbsoluteAxisValue(5, 0, 0), 0);  // no desktop at all
}

TEST(KeyInputTest, ExtendedFlagExactlyForTheE0Keys) {
  const std::vector<std::uint8_t> extended = {
      VK_INSERT, VK_DELETE, VK_HOME,   VK_END,     VK_PRIOR, VK_NEXT,     VK_LEFT,
      VK_UP,     VK_RIGHT,  VK_DOWN,   VK_RCONTROL, VK_RMENU, VK_DIVIDE,  VK_NUMLOCK,
      VK_LWIN,   VK_RWIN,   VK_APPS,   VK_SNAPSHOT, VK_CANCEL, VK_VOLUME_UP, VK_MEDIA_PLAY_PAUSE,
      VK_BROWSER_BACK, VK_LAUNCH_APP2};  // the ends of the media block
  const std::vector<std::uint8_t> plain = {
      VK_RETURN, VK_CONTROL, VK_MENU,     VK_SHIFT,   VK_LCONTROL, VK_LMENU, VK_ESCAPE, VK_SPACE,
      'V',       'R',        VK_F5,       VK_NUMPAD0, VK_MULTIPLY, VK_ADD,   VK_DECIMAL, VK_TAB,
      VK_BACK,   VK_CAPITAL, VK_OEM_PLUS, VK_PAUSE,   0xB8 /* just past the media block */};
  for (const std::uint8_t key : extended) {
    EXPECT_TRUE(KeyInput(key, false).ki.dwFlags & KEYEVENTF_EXTENDEDKEY) << "key " << int{key};
    EXPECT_TRUE(KeyInput(key, true).ki.dwFlags & KEYEVENTF_EXTENDEDKEY) << "key " << int{key};
  }
  for (const std::uint8_t key : plain) {
    EXPECT_FALSE(KeyInput(key, false).ki.dwFlags & KEYEVENTF_EXTENDEDKEY) << "key " << int{key};
  }
}

TEST(KeyInputTest, CarriesKeyScanCodeDirectionAndTag) {
  for (const std::uint8_t key : {std::uint8_t{'V'}, std::uint8_t{VK_HOME}, std::uint8_t{VK_RETURN}}) {
    for (const bool up : {false, true}) {
      const INPUT input = KeyInput(key, up);
      EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
      EXPECT_EQ(input.ki.wVk, key);
      EXPECT_EQ(input.ki.wScan, MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF);
      EXPECT_NE(input.ki.wScan, 0) << "key " << int{key};
      EXPECT_EQ((input.ki.dwFlags & KEYEVENTF_KEYUP) != 0, up);
      EXPECT_FALSE(input.ki.dwFlags & (KEYEVENTF_UNICODE | KEYEVENTF_SCANCODE));
      EXPECT_EQ(input.ki.dwExtraInfo, kOwnInputTag);
    }
  }
}

struct KeyStep {
  DWORD key;
  bool up;
  DWORD flags;  // LLKHF_*
  ULONG_PTR extra;
  bool swallowed;
};

struct FilterCase {
  const char* name;
  bool suspended;
  std::vector<KeyStep> steps;
  bool triggered;
};

constexpr DWORD kInjected = LLKHF_INJECTED;

TEST(StopKeyFilterTest, OnlyTheUsersEscStopsAndNeitherHalfOfItPasses) {
  const FilterCase cases[] = {
      {"a user's tap", false, {{VK_ESCAPE, false, 0, 0, true}, {VK_ESCAPE, true, 0, 0, true}}, true},
      {"held with auto-repeat",
       false,
       {{VK_ESCAPE, false, 0, 0, true}, {VK_ESCAPE, false, 0, 0, true}, {VK_ESCAPE, true, 0, 0, true}},
       true},
      {"the run's own Esc",
       false,
       {{VK_ESCAPE, false, kInjected, kOwnInputTag, false}, {VK_ESCAPE, true, kInjected, kOwnInputTag, false}},
       false},
      {"another program's injected Esc",
       false,
       {{VK_ESCAPE, false, kInjected, 7, true}, {VK_ESCAPE, true, kInjected, 7, true}},
       true},
      {"the tag without the injected flag is no proof",
       false,
       {{VK_ESCAPE, false, 0, kOwnInputTag, true}},
       true},
      {"other keys",
       false,
       {{'A', false, 0, 0, false}, {VK_RETURN, true, 0, 0, false}, {VK_F5, false, kInjected, 0, false}},
       false},
      {"the release of an Esc held since before the watch",
       false,
       {{VK_ESCAPE, true, 0, 0, false}},
       false},
      {"a box is up", true, {{VK_ESCAPE, false, 0, 0, false}, {VK_ESCAPE, true, 0, 0, false}}, false},
  };
  for (const FilterCase& c : cases) {
    StopKeyFilter filter;
    filter.Suspend(c.suspended);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const KeyStep& step = c.steps[i];
      KBDLLHOOKSTRUCT key{};
      key.vkCode = step.key;
      key.flags = step.flags | (step.up ? LLKHF_UP : 0);
      key.dwExtraInfo = step.extra;
      EXPECT_EQ(filter.Swallow(key, step.up), step.swallowed) << c.name << ", step " << i;
    }
    EXPECT_EQ(filter.Triggered(), c.triggered) << c.name;
  }
}

TEST(StopKeyFilterTest, ResetForgetsTheStopAndTheKeptBackPress) {
  StopKeyFilter filter;
  KBDLLHOOKSTRUCT escape{};
  escape.vkCode = VK_ESCAPE;
  ASSERT_TRUE(filter.Swallow(escape, false));
  filter.Reset();
  EXPECT_FALSE(filter.Triggered());
  EXPECT_FALSE(filter.Swallow(escape, true));
}

}  // namespace
}  // namespace tavorin

// The rules of the Windows input layer that need no desktop: where absolute
// moves land and which key events the stop key swallows. The keys themselves
// are tried against the sample form.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

constexpr DWORD kEsc = VK_ESCAPE;
constexpr DWORD kInjected = LLKHF_INJECTED;
constexpr ULONG_PTR kOwn = kOwnInputTag;
constexpr bool kDown = false, kUp = true;

TEST(StopKeyFilterTest, OnlyTheUsersEscStopsAndNeitherHalfOfItPasses) {
  const FilterCase cases[] = {
      {"a user's tap", false, {{kEsc, kDown, 0, 0, true}, {kEsc, kUp, 0, 0, true}}, true},
      {"held with auto-repeat", false,
       {{kEsc, kDown, 0, 0, true}, {kEsc, kDown, 0, 0, true}, {kEsc, kUp, 0, 0, true}}, true},
      {"the run's own Esc", false, {{kEsc, kDown, kInjected, kOwn, false}, {kEsc, kUp, kInjected, kOwn, false}}, false},
      {"another program's injected Esc", false, {{kEsc, kDown, kInjected, 7, true}, {kEsc, kUp, kInjected, 7, true}}, true},
      {"the tag without the injected flag is no proof", false, {{kEsc, kDown, 0, kOwn, true}}, true},
      {"other keys", false, {{'A', kDown, 0, 0, false}, {VK_RETURN, kUp, 0, 0, false}, {VK_F5, kDown, kInjected, 0, false}}, false},
      {"the release of an Esc held since before the watch", false, {{kEsc, kUp, 0, 0, false}}, false},
      {"a box is up", true, {{kEsc, kDown, 0, 0, false}, {kEsc, kUp, 0, 0, false}}, false},
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

}  // namespace
}  // namespace tavorin

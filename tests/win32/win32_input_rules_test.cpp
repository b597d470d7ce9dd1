// The rules of the Windows input layer that need no desktop: where absolute
// moves land and which key events the stop key swallows. The keys themselves
// are tried against the sample form.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/pointer_input.h"
#include "platform/win32/stop_key_hook.h"

namespace tavorin {
namespace {

TEST(AbsoluteAxisValueTest, EveryPixelOfTheAxisIsHitExactlyAndPixelsOffItGoToItsNearestEnd) {
  struct Axis { std::int32_t origin, size; };
  // Single screens, a left monitor at a negative offset, odd and tiny sizes.
  for (const Axis axis : {Axis{0, 1280}, Axis{0, 1366}, Axis{-1920, 3840}, Axis{-768, 1792}, Axis{0, 7},
                          Axis{0, 1}, Axis{0, 65536}}) {
    // The pixel the system puts the pointer on for an absolute value.
    const auto landsOn = [axis](std::int32_t value) { return axis.origin + std::int64_t{value} * axis.size / 65536; };
    for (std::int64_t pixel = axis.origin - 1; pixel <= axis.origin + axis.size; ++pixel) {
      const std::int64_t inside = std::clamp<std::int64_t>(pixel, axis.origin, axis.origin + axis.size - 1);
      const std::int32_t value = AbsoluteAxisValue(pixel, axis.origin, axis.size);
      ASSERT_TRUE(value >= 0 && value <= 65535 && landsOn(value) == inside)
          << "pixel " << pixel << " of an axis from " << axis.origin << ", " << axis.size << " pixels: " << value;
    }
    EXPECT_EQ(AbsoluteAxisValue(INT32_MIN, axis.origin, axis.size), 0);
    EXPECT_EQ(landsOn(AbsoluteAxisValue(INT32_MAX, axis.origin, axis.size)), axis.origin + axis.size - 1);
  }
  EXPECT_EQ(AbsoluteAxisValue(5, 0, 0), 0);  // no desktop at all
}

// The run's own Esc and other keys pass: the sample-form runs show that.
TEST(StopKeyFilterTest, OnlyTheUsersEscStopsAndNeitherHalfOfItPasses) {
  constexpr KBDLLHOOKSTRUCT kUser{VK_ESCAPE, 0, 0, 0, 0}, kOtherProgram{VK_ESCAPE, 0, LLKHF_INJECTED, 0, 7};
  constexpr bool kDown = false, kUp = true;
  struct Step { KBDLLHOOKSTRUCT key; bool up, swallowed; };
  const struct { const char* name; bool suspended; std::vector<Step> steps; bool triggered; } cases[] = {
      {"a user's tap, auto-repeated", false, {{kUser, kDown, true}, {kUser, kDown, true}, {kUser, kUp, true}}, true},
      {"another program's injected Esc", false, {{kOtherProgram, kDown, true}, {kOtherProgram, kUp, true}}, true},
      {"the release of an Esc held since before the watch", false, {{kUser, kUp, false}}, false},
      // Esc answers the box as usual.
      {"a box of the run is up", true, {{kUser, kDown, false}, {kUser, kUp, false}}, false},
  };
  for (const auto& c : cases) {
    StopKeyFilter filter;
    filter.Suspend(c.suspended);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(filter.Swallow(c.steps[i].key, c.steps[i].up), c.steps[i].swallowed) << c.name << ", step " << i;
    }
    EXPECT_EQ(filter.Triggered(), c.triggered) << c.name;
  }
}

}  // namespace
}  // namespace tavorin

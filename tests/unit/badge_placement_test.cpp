#include "core/run/badge_placement.h"

#include <gtest/gtest.h>

namespace tavorin {
namespace {

constexpr ScreenSize kBadge{300, 80};
const ScreenRect kScreen{0, 0, 1280, 1024};
// The four corners of kScreen, kBadgeMargin off its edges.
constexpr ScreenPoint kBottomRight{1280 - 8 - 300, 1024 - 8 - 80};
constexpr ScreenPoint kBottomLeft{8, 1024 - 8 - 80};
constexpr ScreenPoint kTopRight{1280 - 8 - 300, 8};
constexpr ScreenPoint kTopLeft{8, 8};

bool CoversAny(ScreenPoint at, const std::vector<ScreenPoint>& clicks) {
  for (const ScreenPoint click : clicks) {
    if (ScreenRect{at.x, at.y, kBadge.width, kBadge.height}.Contains(click)) return true;
  }
  return false;
}

// The nearest click decides, not the sum; a click past an edge counts at
// the edge; the corners of every screen count, on a screen big enough.
TEST(PlaceBadge, TakesTheCornerFarthestFromEveryClick) {
  std::vector<ScreenPoint> allOver;
  for (int x = 0; x < 1280; x += 100) {
    for (int y = 0; y < 1024; y += 100) allOver.push_back({x, y});
  }
  const struct {
    std::vector<ScreenRect> screens;
    std::vector<ScreenPoint> clicks;
    ScreenPoint expected;
  } cases[] = {
      {{kScreen}, {}, kBottomRight},
      {{kScreen}, {{1200, 1000}}, kTopLeft},
      {{kScreen}, {{100, 1000}, {1200, 1000}, {1200, 500}}, kTopLeft},
      {{kScreen}, {{10, 10}, {10, 1000}, {600, 800}}, kTopRight},
      {{kScreen}, {{1270, 1010}, {1270, 10}, {300, 300}}, kBottomLeft},
      {{kScreen}, {{99999, 99999}}, kTopLeft},
      {{kScreen}, {{-5000, -7}}, kBottomRight},
      // A click below the screen counts on its last row: 8 px under the
      // bottom right, 9 px beside the bottom left, the top corners covered.
      {{kScreen}, {{1000, 5000}, {316, 1000}, {1000, 50}, {100, 50}}, kBottomLeft},
      {{kScreen, {-1920, 0, 1920, 1080}}, allOver, {-1920 + 8, 8}},
      {{{5000, 0, 100, 100}, kScreen}, {{1200, 1000}}, kTopLeft},
  };
  for (const auto& c : cases) {
    const auto at = PlaceBadge(c.screens, kBadge, c.clicks);
    ASSERT_TRUE(at.has_value()) << (&c - cases);
    EXPECT_EQ(*at, c.expected) << (&c - cases) << ": got " << at->x << "," << at->y;
  }
}

TEST(PlaceBadge, NeverCoversAClickAndSometimesHasNowhereToGo) {
  const std::vector<ScreenPoint> cornerClicks = {{kBottomRight.x + 1, kBottomRight.y + 1},
                                                 {kBottomLeft.x + 299, kBottomLeft.y},
                                                 {kTopRight.x, kTopRight.y + 79},
                                                 {kTopLeft.x + 150, kTopLeft.y + 40}};
  const auto at = PlaceBadge({kScreen}, kBadge, cornerClicks);
  ASSERT_TRUE(at.has_value());
  EXPECT_FALSE(CoversAny(*at, cornerClicks)) << at->x << "," << at->y;
  EXPECT_TRUE(kScreen.Contains(*at) && kScreen.Contains({at->x + kBadge.width - 1, at->y + kBadge.height - 1}));
  // A huge screen is searched in a bounded number of steps.
  const std::vector<ScreenPoint> far = {{50, 50}, {1999999950, 50}, {50, 1999999950}, {1999999950, 1999999950}};
  const auto onHuge = PlaceBadge({{0, 0, 2000000000, 2000000000}}, kBadge, far);
  ASSERT_TRUE(onHuge.has_value());
  EXPECT_FALSE(CoversAny(*onHuge, far));
  // A screen the badge just fills, with a click in it: nowhere. Too small a
  // screen, no screens, no size: nowhere.
  const ScreenRect tight{0, 0, kBadge.width + 16, kBadge.height + 16};
  EXPECT_FALSE(PlaceBadge({tight}, kBadge, {{150, 50}}).has_value());
  EXPECT_TRUE(PlaceBadge({tight}, kBadge, {{2, 2}}).has_value());
  EXPECT_FALSE(PlaceBadge({{0, 0, 200, 50}}, kBadge, {}).has_value());
  EXPECT_FALSE(PlaceBadge({}, kBadge, {}).has_value());
  EXPECT_FALSE(PlaceBadge({kScreen}, {0, 10}, {}).has_value());
}

}  // namespace
}  // namespace tavorin

#include "core/run/badge_placement.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavorin {
namespace {

constexpr ScreenSize kBadge{300, 80};
const ScreenRect kScreen{0, 0, 1280, 1024};
// The four corners of kScreen, kBadgeMargin off its edges.
constexpr ScreenPoint kBottomRight{1280 - 8 - 300, 1024 - 8 - 80};
constexpr ScreenPoint kBottomLeft{8, 1024 - 8 - 80};
constexpr ScreenPoint kTopRight{1280 - 8 - 300, 8};
constexpr ScreenPoint kTopLeft{8, 8};

bool Covers(ScreenPoint at, ScreenPoint click) {
  return ScreenRect{at.x, at.y, kBadge.width, kBadge.height}.Contains(click);
}

TEST(PlaceBadge, TakesTheCornerFarthestFromEveryClick) {
  const struct {
    const char* what;
    std::vector<ScreenPoint> clicks;
    ScreenPoint expected;
  } cases[] = {
      {"no clicks: the primary screen's bottom right", {}, kBottomRight},
      {"a click near the bottom right", {{1200, 1000}}, kTopLeft},
      {"a click near the top left", {{20, 20}}, kBottomRight},
      {"clicks along the bottom and one on the right", {{100, 1000}, {1200, 1000}, {1200, 500}}, kTopLeft},
      {"clicks on the left and one low", {{10, 10}, {10, 1000}, {600, 800}}, kTopRight},
      // The nearest click decides, not the sum: top left is far from two
      // clicks but near a third.
      {"one click near each of three corners", {{1270, 1010}, {1270, 10}, {300, 300}}, kBottomLeft},
      {"a click past the edge counts at the edge", {{99999, 99999}}, kTopLeft},
      {"a click past the top-left edge", {{-5000, -7}}, kBottomRight},
  };
  for (const auto& c : cases) {
    const auto at = PlaceBadge({kScreen}, kBadge, c.clicks);
    ASSERT_TRUE(at.has_value()) << c.what;
    EXPECT_EQ(*at, c.expected) << c.what << ": got " << at->x << "," << at->y;
  }
}

TEST(PlaceBadge, NeverCoversAClickEvenWhenEveryCornerHasOne) {
  std::vector<ScreenPoint> clicks = {{kBottomRight.x + 1, kBottomRight.y + 1},
                                     {kBottomLeft.x + 299, kBottomLeft.y},
                                     {kTopRight.x, kTopRight.y + 79},
                                     {kTopLeft.x + 150, kTopLeft.y + 40}};
  const auto at = PlaceBadge({kScreen}, kBadge, clicks);
  ASSERT_TRUE(at.has_value());
  for (const ScreenPoint click : clicks) EXPECT_FALSE(Covers(*at, click)) << at->x << "," << at->y;
  EXPECT_TRUE(kScreen.Contains(*at) && kScreen.Contains({at->x + kBadge.width - 1, at->y + kBadge.height - 1}));

  // A screen the badge just fills, with a click in it: nowhere.
  const ScreenRect tight{0, 0, kBadge.width + 16, kBadge.height + 16};
  EXPECT_FALSE(PlaceBadge({tight}, kBadge, {{150, 50}}).has_value());
  EXPECT_TRUE(PlaceBadge({tight}, kBadge, {{2, 2}}).has_value());
  // Too small a screen, no screens, no size.
  EXPECT_FALSE(PlaceBadge({{0, 0, 200, 50}}, kBadge, {}).has_value());
  EXPECT_FALSE(PlaceBadge({}, kBadge, {}).has_value());
  EXPECT_FALSE(PlaceBadge({kScreen}, {0, 10}, {}).has_value());
}

TEST(PlaceBadge, ConsidersTheCornersOfEveryScreen) {
  const ScreenRect left{-1920, 0, 1920, 1080};
  // Clicks all over the primary screen: the other one's far corner.
  std::vector<ScreenPoint> clicks;
  for (int x = 0; x < 1280; x += 100) {
    for (int y = 0; y < 1024; y += 100) clicks.push_back({x, y});
  }
  EXPECT_EQ(PlaceBadge({kScreen, left}, kBadge, clicks), (ScreenPoint{-1920 + 8, 8}));
  // A screen too small for the badge is passed over.
  EXPECT_EQ(PlaceBadge({{5000, 0, 100, 100}, kScreen}, kBadge, {{1200, 1000}}), kTopLeft);
  // A huge screen is searched in a bounded number of steps.
  const ScreenRect huge{0, 0, 2000000000, 2000000000};
  std::vector<ScreenPoint> corners = {{50, 50}, {1999999950, 50}, {50, 1999999950}, {1999999950, 1999999950}};
  const auto at = PlaceBadge({huge}, kBadge, corners);
  ASSERT_TRUE(at.has_value());
  for (const ScreenPoint click : corners) EXPECT_FALSE(Covers(*at, click));
}

}  // namespace
}  // namespace tavorin

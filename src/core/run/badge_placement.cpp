#include "core/run/badge_placement.h"

#include <algorithm>
#include <limits>

namespace tavorin {
namespace {

struct Desktop {
  std::int64_t left, top, right, bottom;  // right and bottom exclusive
};

Desktop BoundsOf(const std::vector<ScreenRect>& screens) {
  Desktop d{std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
            std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()};
  for (const auto& s : screens) {
    d.left = std::min<std::int64_t>(d.left, s.left);
    d.top = std::min<std::int64_t>(d.top, s.top);
    d.right = std::max(d.right, s.Right());
    d.bottom = std::max(d.bottom, s.Bottom());
  }
  return d;
}

struct Point64 {
  std::int64_t x, y;
};

// Squared distance from a point to the nearest pixel of a rectangle; 0
// inside it.
std::int64_t DistanceSquared(Point64 p, std::int64_t left, std::int64_t top, ScreenSize size) {
  const std::int64_t right = left + size.width - 1, bottom = top + size.height - 1;
  const std::int64_t dx = p.x < left ? left - p.x : (p.x > right ? p.x - right : 0);
  const std::int64_t dy = p.y < top ? top - p.y : (p.y > bottom ? p.y - bottom : 0);
  return dx * dx + dy * dy;
}

class Chooser {
 public:
  Chooser(ScreenSize badge, std::vector<Point64> clicks) : badge_(badge), clicks_(std::move(clicks)) {}

  // Keeps the candidate when it covers no click and lies farther from them
  // than the best so far; the first of equals wins.
  void Consider(std::int64_t left, std::int64_t top) {
    std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
    for (const Point64 c : clicks_) {
      nearest = std::min(nearest, DistanceSquared(c, left, top, badge_));
      if (nearest <= best_) return;  // cannot win any more (and 0 covers a click)
    }
    if (chosen_ && nearest <= best_) return;
    best_ = nearest;
    chosen_ = ScreenPoint{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top)};
  }
  const std::optional<ScreenPoint>& Chosen() const { return chosen_; }

 private:
  ScreenSize badge_;
  std::vector<Point64> clicks_;
  std::int64_t best_ = 0;
  std::optional<ScreenPoint> chosen_;
};

bool Fits(const ScreenRect& s, ScreenSize badge) {
  return s.width >= badge.width + 2 * kBadgeMargin && s.height >= badge.height + 2 * kBadgeMargin;
}

// Points across an area no farther apart than the badge is wide and high,
// edges included: a badge that overlaps the area covers one of them.
void AddAreaPoints(const ScreenRect& area, ScreenSize badge, std::vector<ScreenPoint>& points) {
  const auto along = [](std::int64_t from, std::int64_t extent, std::int64_t step) {
    std::vector<std::int64_t> at;
    for (std::int64_t p = from; p < from + extent - 1; p += step) at.push_back(p);
    at.push_back(from + extent - 1);
    return at;
  };
  if (area.width <= 0 || area.height <= 0) return;
  for (const std::int64_t y : along(area.top, area.height, badge.height)) {
    for (const std::int64_t x : along(area.left, area.width, badge.width)) {
      points.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
    }
  }
}

}  // namespace

std::optional<ScreenPoint> PlaceBadge(const std::vector<ScreenRect>& screens, ScreenSize badge,
                                      const std::vector<ScreenPoint>& clicks,
                                      const std::vector<ScreenRect>& areas) {
  if (screens.empty() || badge.width <= 0 || badge.height <= 0) return std::nullopt;
  const Desktop desktop = BoundsOf(screens);
  std::vector<ScreenPoint> kept = clicks;
  for (const ScreenRect& area : areas) AddAreaPoints(area, badge, kept);
  std::vector<Point64> clamped;
  clamped.reserve(kept.size());
  for (const ScreenPoint c : kept) {
    clamped.push_back({std::clamp<std::int64_t>(c.x, desktop.left, desktop.right - 1),
                       std::clamp<std::int64_t>(c.y, desktop.top, desktop.bottom - 1)});
  }
  Chooser chooser(badge, std::move(clamped));

  for (const auto& s : screens) {
    if (!Fits(s, badge)) continue;
    const std::int64_t left = std::int64_t{s.left} + kBadgeMargin;
    const std::int64_t top = std::int64_t{s.top} + kBadgeMargin;
    const std::int64_t right = s.Right() - kBadgeMargin - badge.width;
    const std::int64_t bottom = s.Bottom() - kBadgeMargin - badge.height;
    chooser.Consider(right, bottom);
    chooser.Consider(left, bottom);
    chooser.Consider(right, top);
    chooser.Consider(left, top);
  }
  if (chooser.Chosen()) return chooser.Chosen();

  // Clicks in every corner: any place on a grid of half badges, or of
  // at most 64 steps across, however large the screen.
  constexpr std::int64_t kMostSteps = 64;
  for (const auto& s : screens) {
    if (!Fits(s, badge)) continue;
    const std::int64_t stepX = std::max<std::int64_t>({1, badge.width / 2, s.width / kMostSteps});
    const std::int64_t stepY = std::max<std::int64_t>({1, badge.height / 2, s.height / kMostSteps});
    const std::int64_t lastLeft = s.Right() - kBadgeMargin - badge.width;
    const std::int64_t lastTop = s.Bottom() - kBadgeMargin - badge.height;
    for (std::int64_t top = std::int64_t{s.top} + kBadgeMargin; top <= lastTop; top += stepY) {
      for (std::int64_t left = std::int64_t{s.left} + kBadgeMargin; left <= lastLeft; left += stepX) {
        chooser.Consider(left, top);
      }
    }
  }
  return chooser.Chosen();
}

}  // namespace tavorin

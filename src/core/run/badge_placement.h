#pragma once

#include <optional>
#include <vector>

#include "core/interfaces/screens.h"

namespace tavorin {

// Pixels between the badge and the screen's edges.
inline constexpr std::int32_t kBadgeMargin = 8;

// Where the progress badge goes: in the corner, of all the screens' corners,
// farthest from every click position, and never over one. When every corner
// would cover a click, the free place farthest from the clicks; when there
// is none, nowhere. Clicks outside the screens count where the pointer would
// stop, at the edge of the desktop. Areas that screen waits look at are
// kept clear as clicks are.
std::optional<ScreenPoint> PlaceBadge(const std::vector<ScreenRect>& screens, ScreenSize badge,
                                      const std::vector<ScreenPoint>& clicks,
                                      const std::vector<ScreenRect>& areas = {});

}  // namespace tavorin

#include "core/run/click_separation.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tavorin {
namespace {

constexpr std::uint32_t kDownFlags[] = {kLeftDown, kRightDown, kMiddleDown};

bool SameSpot(const std::optional<ScreenPoint>& a, const std::optional<ScreenPoint>& b,
              const DoubleClickLimits& limits) {
  // A press where the pointer happened to be may be anywhere: take it as
  // the same spot rather than risk a double-click.
  if (!a || !b) return true;
  return std::llabs(std::int64_t{a->x} - b->x) * 2 <= limits.width &&
         std::llabs(std::int64_t{a->y} - b->y) * 2 <= limits.height;
}

}  // namespace

void ClickSeparation::OtherStep() {
  for (auto& press : last_) {
    if (press) press->stepsSince = true;
  }
}

std::int32_t ClickSeparation::PauseBefore(std::uint32_t flags, std::int64_t nowMs,
                                          const DoubleClickLimits& limits) const {
  std::int64_t pause = 0;  // never negative
  for (std::size_t i = 0; i < last_.size(); ++i) {
    const auto& press = last_[i];
    if ((flags & kDownFlags[i]) == 0 || !press || !press->stepsSince || !SameSpot(press->at, pointer_, limits)) {
      continue;
    }
    const std::int64_t apart = std::int64_t{limits.milliseconds} + kClickSeparationMarginMs;
    pause = std::max(pause, press->atMs + apart - nowMs);
  }
  return static_cast<std::int32_t>(std::min<std::int64_t>(pause, std::numeric_limits<std::int32_t>::max()));
}

void ClickSeparation::Pressed(std::uint32_t flags, std::int64_t nowMs) {
  for (std::size_t i = 0; i < last_.size(); ++i) {
    if (flags & kDownFlags[i]) last_[i] = LastPress{nowMs, pointer_, false};
  }
}

}  // namespace tavorin

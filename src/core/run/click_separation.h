#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/interfaces/platform.h"
#include "core/interfaces/screens.h"

namespace tavorin {

// Extra time past the double-click time: the target stamps each press when
// it arrives, a few milliseconds after it was sent.
inline constexpr std::int32_t kClickSeparationMarginMs = 50;

// Keeps the clicks of different steps of a run single. A press that follows
// the previous press of the same button, at the same spot, within the
// double-click time is a double-click to the target: a field then keeps its
// old focus or selects a word, and the record typed next goes astray. When
// the run typed, changed the clipboard or looked at the screen in between,
// the two presses belong to different steps, so the later one waits until it
// can only be a click of its own. Presses with nothing between them (two
// click lines in a row, a double-click) still join, as the user wrote them.
class ClickSeparation {
 public:
  void Moved(std::int32_t x, std::int32_t y) { pointer_ = ScreenPoint{x, y}; }
  // Something other than a click happened: a key press, a clipboard change,
  // a look at the screen.
  void OtherStep();
  // How long to pause before the presses in `flags`, sent at `nowMs`.
  std::int32_t PauseBefore(std::uint32_t flags, std::int64_t nowMs, const DoubleClickLimits& limits) const;
  void Pressed(std::uint32_t flags, std::int64_t nowMs);

 private:
  struct LastPress {
    std::int64_t atMs = 0;
    std::optional<ScreenPoint> at;  // none: wherever the pointer stood
    bool stepsSince = false;
  };
  std::array<std::optional<LastPress>, 3> last_;  // left, right, middle
  std::optional<ScreenPoint> pointer_;
};

}  // namespace tavorin

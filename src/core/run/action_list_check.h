#pragma once

#include <string>
#include <vector>

#include "core/interfaces/list_box.h"
#include "core/interfaces/screens.h"
#include "core/run/clock.h"

namespace tavorin {

// Something a run would stumble over on one action line.
struct ActionLineFinding {
  int lineNumber;  // from 1, as the user counts the list's rows
  std::u16string message;
  friend bool operator==(const ActionLineFinding&, const ActionLineFinding&) = default;
};

struct ActionListReview {
  std::vector<ActionLineFinding> findings;
  // Every position the run will click at, in the order it will.
  std::vector<ScreenPoint> clickPositions;
  // Every area a screen wait looks at.
  std::vector<ScreenRect> waitAreas;
};

// Reads every action line by the run's own rules, without an event or a
// pause. A finding is a line that does less than it says (each message the
// run would show for it, a wait that only pauses 0.05 s, a key that is no
// key), told with what the run will do instead; a line the run skips; and
// a click outside every one of `screens` (not checked when `screens` is
// empty).
ActionListReview ReviewActionList(const ListBox& actionLines, const std::vector<ScreenRect>& screens,
                                  const Clock& clock);

// The findings as lines for the confirmation box: at most `shown` of them,
// then a line that counts the rest. Empty without findings.
std::u16string FindingsText(const std::vector<ActionLineFinding>& findings, std::size_t shown = 10);

}  // namespace tavorin

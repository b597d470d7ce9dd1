#pragma once

#include <string>

#include "core/actions/screen_wait_line.h"
#include "core/run/action_pass.h"

namespace tavorin {

// How often a screen wait looks at its area: often enough that the run goes
// on within a few tens of milliseconds of the target being ready, seldom
// enough that the look costs the machine nothing noticeable.
inline constexpr std::int32_t kScreenLookIntervalMs = 25;

// A wait whose first look already matches may be seeing the page from before
// the input just sent, which the target has not answered yet (a form about to
// reload). Such a match is trusted only once the area has kept it this long;
// a match that follows a look that differed is trusted at once.
inline constexpr std::int32_t kScreenSettleMs = 300;

// Carries out a "等候画面" line: looks at the area until it matches and
// returns at the first look that does (after a look that differed) or once
// the area has matched for kScreenSettleMs (when it matched from the start). When T seconds pass without a match,
// when the line is malformed or when the screen cannot be read there, the
// run is halted with the reason, so nothing is entered into a page that is
// not the one expected. A stop request ends the wait at once.
void WaitForScreen(RunContext& run, const std::u16string& line);

}  // namespace tavorin

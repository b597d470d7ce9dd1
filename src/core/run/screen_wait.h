#pragma once

#include <string>

#include "core/actions/screen_wait_line.h"
#include "core/run/action_pass.h"

namespace tavorin {

// How often a screen wait looks at its area: often enough that the run goes
// on within a few tens of milliseconds of the target being ready, seldom
// enough that the look costs the machine nothing noticeable.
inline constexpr std::int32_t kScreenLookIntervalMs = 25;

// Carries out a "等候画面" line: looks at the area until it matches and
// returns at the first look that does. When T seconds pass without a match,
// when the line is malformed or when the screen cannot be read there, the
// run is halted with the reason, so nothing is entered into a page that is
// not the one expected. A stop request ends the wait at once.
void WaitForScreen(RunContext& run, const std::u16string& line);

}  // namespace tavorin

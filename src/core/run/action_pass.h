#pragma once

#include <string>

#include "core/interfaces/platform.h"
#include "core/run/action_keywords.h"
#include "core/run/clock.h"
#include "core/run/run_controls.h"
#include "core/run/run_state.h"

namespace tavorin {

struct RunContext {
  Platform& platform;
  const Clock& clock;
  RunControls& controls;
  RunState& state;
};

// One pass: rebuilds the pass list from the checked records, then carries out
// every action line from the first to the last. Stops early, between steps,
// once the platform reports a stop request.
void RunActionPass(RunContext& run);

// Carries out one action line; a line that starts with no keyword does
// nothing.
void RunActionLine(RunContext& run, const std::u16string& line);

// The pause command of a wait line: the keyword becomes "s" and the seconds
// become milliseconds.
std::u16string WaitCommand(const std::u16string& line);

}  // namespace tavorin

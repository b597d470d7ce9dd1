#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/interfaces/platform.h"
#include "core/interfaces/run_progress.h"
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
  // The record changes the pass list was built from, once it has been.
  std::optional<std::uint64_t> passListBuiltAt = std::nullopt;
  // Told each record a copy line takes, when a badge shows the run.
  RunProgress* progress = nullptr;
  // The record text the badge shows now.
  std::u16string badgeRecord = {};
  // Ends the run for a reason the user is told after it (see
  // StoppablePlatform::Halt); empty where nothing runs for real.
  std::function<void(const std::u16string& reason)> halt = nullptr;
  // The action line being carried out, from 1, for the reasons above.
  int lineNumber = 0;
};

// One pass: brings the pass list up to the checked records of this moment,
// then carries out every action line from the first to the last. Stops
// early, between lines, once the platform reports a stop request. Returns
// false when the stop left out a line that does more than pause.
bool RunActionPass(RunContext& run);

// Carries out one action line; a line that starts with no keyword does
// nothing.
void RunActionLine(RunContext& run, const std::u16string& line);

// The pause command of a wait line: the keyword becomes "s" and the seconds
// become milliseconds.
std::u16string WaitCommand(const std::u16string& line);

}  // namespace tavorin

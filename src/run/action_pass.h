#pragma once

#include <string>

#include "platform/platform.h"
#include "run/clock.h"
#include "run/run_controls.h"
#include "run/run_state.h"

namespace tavorin {

// The keywords that open the six kinds of action line.
inline constexpr char16_t kCopyKeyword[] = u"复制内容";
inline constexpr char16_t kPasteKeyword[] = u"粘贴内容";
inline constexpr char16_t kClickKeyword[] = u"点击位置";
inline constexpr char16_t kKeyKeyword[] = u"按下按键";
inline constexpr char16_t kWaitKeyword[] = u"等候时长";
inline constexpr char16_t kInsertKeyword[] = u"插入内容";

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

#pragma once

#include <cstdint>
#include <string>

namespace tavorin {

// The settings and progress of a run. Every value stays after the run; the
// next run sets them afresh.
struct RunState {
  std::int32_t runCount = 0;
  std::int32_t cooldownSeconds = 0;
  bool refreshBeforeCooldown = false;
  std::int16_t refreshKeyIndex = 0;  // 0 "F5", otherwise "Ctrl+R"
  std::int32_t passNumber = 0;       // from 1; the value of %i
  std::int32_t recordCursor = 0;     // pass-list position the next copy line takes
  std::u16string currentText;        // expanded text of the record taken last
};

}  // namespace tavorin

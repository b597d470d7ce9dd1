#pragma once

#include <cstdint>

namespace tavorin {

// Blocks the caller for the given time while the Qt event loop keeps turning
// (user input excluded), so the program goes on answering other programs'
// clipboard requests during a pause. Returns at once for ms <= 0.
void SleepServingEvents(std::int32_t milliseconds);

}  // namespace tavorin

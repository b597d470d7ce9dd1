#pragma once

#include <cstdint>
#include <functional>

namespace tavorin {

// Blocks the caller for the given time while the Qt event loop keeps turning
// (user input excluded), so the program goes on answering other programs'
// clipboard requests during a pause. Returns at once for ms <= 0.
// `interrupted`, when given, is asked after every batch of events; the
// pause ends as soon as it answers true. What should end a pause must
// therefore arrive as an event (a socket notifier, a native event).
void SleepServingEvents(std::int32_t milliseconds,
                        const std::function<bool()>& interrupted = nullptr);

}  // namespace tavorin

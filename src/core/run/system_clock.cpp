#include <ctime>

#include "core/run/clock.h"

namespace tavorin {

LocalDateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  // The program has one thread, so the shared result buffer is safe.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
          local->tm_min,         local->tm_sec,     local->tm_wday + 1};
}

}  // namespace tavorin

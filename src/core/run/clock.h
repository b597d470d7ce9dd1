#pragma once

namespace tavorin {

// One reading of the local calendar and clock.
struct LocalDateTime {
  int year = 0;
  int month = 0;    // 1..12
  int day = 0;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 1 = Sunday .. 7 = Saturday
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The computer's local time, through the C library's time zone rules.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace tavorin

// Local date and time, and a monotonic millisecond count for timers.
#pragma once

#include <cstdint>

namespace pv {

struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const DateTime&) const = default;
};

// Days since 1970-01-01 for a civil date, and back.
int64_t days_from_civil(int year, int month, int day);
DateTime date_time_from_seconds(int64_t seconds_since_1970);
int64_t seconds_from_date_time(const DateTime& t);
// 0 Sunday .. 6 Saturday.
int weekday(const DateTime& t);

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime now() const = 0;
  // Milliseconds on a clock that never goes back; only differences mean anything.
  virtual int64_t monotonic_ms() const = 0;
  // Seconds since midnight, as the runtime's Timer function gives them.
  double timer() const;
};

class SystemClock final : public Clock {
 public:
  DateTime now() const override;
  int64_t monotonic_ms() const override;
};

}  // namespace pv

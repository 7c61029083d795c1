#include "platform/clock.hpp"

#include <chrono>
#include <ctime>

namespace pv {

int64_t days_from_civil(int year, int month, int day) {
  const int64_t y = year - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t mp = (month + 9) % 12;
  const int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

DateTime date_time_from_seconds(int64_t s) {
  int64_t days = s / 86400;
  int64_t rest = s % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return DateTime{static_cast<int>(y),
                  static_cast<int>(m),
                  static_cast<int>(d),
                  static_cast<int>(rest / 3600),
                  static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60)};
}

int64_t seconds_from_date_time(const DateTime& t) {
  return days_from_civil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

int weekday(const DateTime& t) {
  const int64_t days = days_from_civil(t.year, t.month, t.day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

double Clock::timer() const {
  const DateTime t = now();
  return t.hour * 3600.0 + t.minute * 60.0 + t.second +
         static_cast<double>(monotonic_ms() % 1000) / 1000.0;
}

DateTime SystemClock::now() const {
  const std::time_t raw = std::time(nullptr);
  std::tm local{};
  localtime_r(&raw, &local);
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     local.tm_sec};
}

int64_t SystemClock::monotonic_ms() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace pv

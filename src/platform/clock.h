#pragma once

#include <cstdint>
#include <string>

#include "platform/local_time.h"

namespace tessaline::platform {

// The current time and the user's ways of writing dates and times.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() const = 0;
  // Seconds since the epoch, for seeding.
  virtual std::int64_t secondsSinceEpoch() const = 0;
  // The user's short date format, e.g. "11/12/2026" or "2026-12-11".
  virtual std::u16string shortDate(const LocalTime& time) const = 0;
  // The user's long time format, e.g. "14:05:09".
  virtual std::u16string longTime(const LocalTime& time) const = 0;
};

// A clock that always says the same, for tests: dates as YYYY-MM-DD, times
// as HH:MM:SS.
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalTime now = {2026, 12, 11, 9, 5, 3}, std::int64_t seconds = 1'800'000'000)
      : m_now(now), m_seconds(seconds) {}
  LocalTime now() const override { return m_now; }
  std::int64_t secondsSinceEpoch() const override { return m_seconds; }
  std::u16string shortDate(const LocalTime& time) const override;
  std::u16string longTime(const LocalTime& time) const override;

 private:
  LocalTime m_now;
  std::int64_t m_seconds;
};

// The system clock with the formats of the environment's locale (LC_TIME).
class SystemClock : public Clock {
 public:
  LocalTime now() const override;
  std::int64_t secondsSinceEpoch() const override;
  std::u16string shortDate(const LocalTime& time) const override;
  std::u16string longTime(const LocalTime& time) const override;
};

}  // namespace tessaline::platform

#pragma once

// The clock, injected wherever the program needs the current date or measures an interval, so that
// tests control both.

#include <cstdint>

namespace kalvero {

struct TLocalDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int utcOffsetSeconds = 0;  // how far the local time is ahead of UTC then (negative: behind)
  friend bool operator==(const TLocalDateTime&, const TLocalDateTime&) = default;
};

class TClock {
 public:
  virtual ~TClock() = default;
  // The current date and time in the user's local time zone.
  virtual TLocalDateTime Now() const = 0;
  // Milliseconds on a clock that never goes back, whatever happens to the date and time of the
  // system; only the difference of two readings means anything. For measuring intervals.
  virtual std::int64_t SteadyMilliseconds() const = 0;
};

// The operating system's clock; lives for the whole process. Its SteadyMilliseconds reads
// MonotonicNanoseconds.
const TClock& SystemClock();

// Nanoseconds on the machine's monotonic clock, the one every process on it reads (CLOCK_MONOTONIC
// on Linux), so that a benchmark can compare a reading of the program with one of its own.
std::int64_t MonotonicNanoseconds();

// The moment `utcSeconds` (seconds since 1970-01-01 00:00:00 UTC) in the user's local time zone,
// as the environment names it at the call (TZ on POSIX), with the zone's offset from UTC then.
TLocalDateTime LocalDateTime(std::int64_t utcSeconds);

}  // namespace kalvero

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

// The operating system's clock; lives for the whole process.
const TClock& SystemClock();

}  // namespace kalvero

#include <time.h>

#include <ctime>

#include "platform/clock.h"

namespace kalvero {
namespace {

class TPosixClock final : public TClock {
 public:
  TLocalDateTime Now() const override { return LocalDateTime(std::time(nullptr)); }

  std::int64_t SteadyMilliseconds() const override { return MonotonicNanoseconds() / 1'000'000; }
};

}  // namespace

const TClock& SystemClock() {
  static const TPosixClock clock;
  return clock;
}

std::int64_t MonotonicNanoseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

TLocalDateTime LocalDateTime(std::int64_t utcSeconds) {
  const auto time = static_cast<std::time_t>(utcSeconds);
  // localtime_r reads the time zone once per process unless asked to read it again.
  ::tzset();
  std::tm local{};
  ::localtime_r(&time, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
          local.tm_min,         local.tm_sec,     static_cast<int>(local.tm_gmtoff)};
}

}  // namespace kalvero

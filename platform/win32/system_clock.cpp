// The clock of Windows: the system time in UTC turned into local time by the time zone's rule for
// that year (dynamic daylight saving), and the performance counter for intervals.

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/win32/system_clock.h"

namespace kalvero {
namespace {

// 100-nanosecond intervals between 1601-01-01 (FILETIME's start) and 1970-01-01.
constexpr std::int64_t kUnixEpochIn100ns = 116'444'736'000'000'000;
constexpr std::int64_t k100nsPerSecond = 10'000'000;

std::int64_t FileTimeValue(const FILETIME& time) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

class TWin32Clock final : public TClock {
 public:
  // One reading of the system time gives both the local time and its offset from UTC, which
  // GetLocalTime beside GetSystemTime could not (the second may tick between them).
  TLocalDateTime Now() const override {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return LocalDateTime((FileTimeValue(now) - kUnixEpochIn100ns) / k100nsPerSecond);
  }

  std::int64_t SteadyMilliseconds() const override { return MonotonicNanoseconds() / 1'000'000; }
};

}  // namespace

const TClock& SystemClock() {
  static const TWin32Clock clock;
  return clock;
}

std::int64_t MonotonicNanoseconds() {
  static const std::int64_t frequency = [] {
    LARGE_INTEGER value{};
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  // Whole seconds and the rest apart, so that the product cannot overflow after a long uptime.
  const std::int64_t seconds = counter.QuadPart / frequency;
  const std::int64_t rest = counter.QuadPart % frequency;
  return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency;
}

// GetTimeZoneInformationForYear gives the rule of that year, which SystemTimeToTzSpecificLocalTime
// then applies (what SystemTimeToTzSpecificLocalTimeEx does in one call, which Wine 8 lacks);
// FileTimeToLocalFileTime would apply today's rule to every date.
TLocalDateTime LocalDateTimeIn(DYNAMIC_TIME_ZONE_INFORMATION zone, std::int64_t utcSeconds) {
  constexpr std::int64_t kFirstSecond = -kUnixEpochIn100ns / k100nsPerSecond;
  constexpr std::int64_t kLastSecond = kFirstSecond + INT64_MAX / k100nsPerSecond;
  const std::int64_t ticks = (std::clamp(utcSeconds, kFirstSecond, kLastSecond) - kFirstSecond) * k100nsPerSecond;
  FILETIME utcFile{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  TIME_ZONE_INFORMATION rule{};
  FILETIME localFile{};
  if (!FileTimeToSystemTime(&utcFile, &utc)) return {};
  const bool converted = GetTimeZoneInformationForYear(utc.wYear, &zone, &rule) &&
                         SystemTimeToTzSpecificLocalTime(&rule, &utc, &local) &&
                         SystemTimeToFileTime(&local, &localFile);
  if (!converted) {
    local = utc;
    localFile = utcFile;
  }
  return {local.wYear,   local.wMonth,  local.wDay, local.wHour, local.wMinute, local.wSecond,
          static_cast<int>((FileTimeValue(localFile) - FileTimeValue(utcFile)) / k100nsPerSecond)};
}

TLocalDateTime LocalDateTime(std::int64_t utcSeconds) {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return LocalDateTimeIn({}, utcSeconds);
  return LocalDateTimeIn(zone, utcSeconds);
}

}  // namespace kalvero

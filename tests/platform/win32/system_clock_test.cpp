// Local time on Windows follows the rule of the time zone that was in force on the date.

#include "platform/win32/system_clock.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace kalvero {

void PrintTo(const TLocalDateTime& time, std::ostream* out) {
  *out << time.year << '-' << time.month << '-' << time.day << ' ' << time.hour << ':' << time.minute << ':'
       << time.second << " UTC+" << time.utcOffsetSeconds << 's';
}

namespace {

struct TZoneCase {
  std::string name;
  const wchar_t* zone;  // the key of the zone in the system's zone list
  std::int64_t utcSeconds;
  TLocalDateTime local;
};

const std::vector<TZoneCase> kZoneCases = {
    {"CentralEuropeSummer", L"W. Europe Standard Time", 1091889933, {2004, 8, 7, 16, 45, 33, 7200}},
    {"CentralEuropeWinter", L"W. Europe Standard Time", 1104663600, {2005, 1, 2, 12, 0, 0, 3600}},
    {"CentralEuropeIntoTheNewYear", L"W. Europe Standard Time", 1104535800, {2005, 1, 1, 0, 30, 0, 3600}},
    // The United States moved the start of summer time to March in 2007: mid-March is winter time
    // before and summer time after.
    {"EasternMidMarchBeforeTheRuleChanged", L"Eastern Standard Time", 1079361933, {2004, 3, 15, 9, 45, 33, -18000}},
    {"EasternMidMarchAfterTheRuleChanged", L"Eastern Standard Time", 1268664333, {2010, 3, 15, 10, 45, 33, -14400}},
    {"UnknownZoneIsUtc", L"No Such Zone", 1091889933, {2004, 8, 7, 14, 45, 33, 0}},
    {"BeforeWindowsTimesBegin", L"No Such Zone", -11644473601, {1601, 1, 1, 0, 0, 0, 0}},
};

class ZoneTest : public testing::TestWithParam<TZoneCase> {};

TEST_P(ZoneTest, AppliesTheRuleOfTheDate) {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  std::wcsncpy(zone.TimeZoneKeyName, GetParam().zone, std::size(zone.TimeZoneKeyName) - 1);
  EXPECT_EQ(LocalDateTimeIn(zone, GetParam().utcSeconds), GetParam().local);
}

INSTANTIATE_TEST_SUITE_P(Dates, ZoneTest, testing::ValuesIn(kZoneCases), TCaseName());

TEST(SystemClock, NowIsTheSystemTimeAndTheSteadyClockGoesOn) {
  SYSTEMTIME before{};
  GetLocalTime(&before);
  const TLocalDateTime now = SystemClock().Now();
  EXPECT_EQ(now.year, before.wYear);
  EXPECT_GE(now.utcOffsetSeconds, -14 * 3600);
  EXPECT_LE(now.utcOffsetSeconds, 14 * 3600);
  const std::int64_t first = MonotonicNanoseconds();
  Sleep(20);
  const std::int64_t elapsed = MonotonicNanoseconds() - first;
  EXPECT_GE(elapsed, 15'000'000);
  EXPECT_LT(elapsed, 5'000'000'000);
}

}  // namespace
}  // namespace kalvero

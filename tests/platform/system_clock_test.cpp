#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "tests/support/case_name.h"

namespace kalvero {

void PrintTo(const TLocalDateTime& time, std::ostream* out) {
  *out << time.year << '-' << time.month << '-' << time.day << ' ' << time.hour << ':' << time.minute << ':'
       << time.second << " UTC+" << time.utcOffsetSeconds << 's';
}

namespace {

// Time zones as POSIX rules, so that no zone database is needed.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

struct TLocalCase {
  std::string name;
  const char* zone;
  std::int64_t utcSeconds;
  TLocalDateTime local;
};

const std::vector<TLocalCase> kLocalCases = {
    {"Summer", kCentralEurope, 1091889933, {2004, 8, 7, 16, 45, 33, 7200}},
    {"Winter", kCentralEurope, 1104663600, {2005, 1, 2, 12, 0, 0, 3600}},
    {"LastSecondBeforeTheClocksGoForward", kCentralEurope, 1080435599, {2004, 3, 28, 1, 59, 59, 3600}},
    {"FirstSecondAfterTheClocksGoForward", kCentralEurope, 1080435600, {2004, 3, 28, 3, 0, 0, 7200}},
    {"HalfAnHourBehindIntoTheYearBefore", "NST3:30", 1104631200, {2005, 1, 1, 22, 30, 0, -12600}},
    {"BeforeNineteenSeventy", "UTC0", -1, {1969, 12, 31, 23, 59, 59, 0}},
};

class LocalDateTimeTest : public testing::TestWithParam<TLocalCase> {
 protected:
  LocalDateTimeTest() {
    if (const char* zone = std::getenv("TZ")) oldZone_ = zone;
  }
  ~LocalDateTimeTest() override {
    if (oldZone_) ::setenv("TZ", oldZone_->c_str(), 1);
    else ::unsetenv("TZ");
  }

 private:
  std::optional<std::string> oldZone_;
};

TEST_P(LocalDateTimeTest, FollowsTheZoneOfTheEnvironment) {
  ::setenv("TZ", GetParam().zone, 1);
  EXPECT_EQ(LocalDateTime(GetParam().utcSeconds), GetParam().local);
}

INSTANTIATE_TEST_SUITE_P(Zones, LocalDateTimeTest, testing::ValuesIn(kLocalCases), TCaseName());

}  // namespace
}  // namespace kalvero

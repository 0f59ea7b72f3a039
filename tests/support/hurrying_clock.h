#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace kalvero {

// A clock whose steady count moves 60 ms each time it is asked, so that scans and runs let
// messages through at almost every step.
class THurryingClock final : public TClock {
 public:
  TLocalDateTime Now() const override { return {2026, 12, 9, 10, 0, 0}; }
  std::int64_t SteadyMilliseconds() const override { return steady_ += 60; }

 private:
  mutable std::int64_t steady_ = 0;
};

}  // namespace kalvero

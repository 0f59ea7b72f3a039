#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace kalvero {

// A clock that always shows the same moment of local time; its steady count moves only when the
// test moves it.
class TFixedClock final : public TClock {
 public:
  explicit TFixedClock(TLocalDateTime now) : now_(now) {}
  TLocalDateTime Now() const override { return now_; }
  std::int64_t SteadyMilliseconds() const override { return steadyMilliseconds_; }

  // Moves the steady count on, as if the work in between had taken that long.
  void Advance(std::int64_t milliseconds) { steadyMilliseconds_ += milliseconds; }

 private:
  TLocalDateTime now_;
  std::int64_t steadyMilliseconds_ = 0;
};

}  // namespace kalvero

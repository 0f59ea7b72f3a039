#pragma once

#include "platform/clock.h"

namespace kalvero {

// A clock that always shows the same moment.
class TFixedClock final : public TClock {
 public:
  explicit TFixedClock(TLocalDateTime now) : now_(now) {}
  TLocalDateTime Now() const override { return now_; }

 private:
  TLocalDateTime now_;
};

}  // namespace kalvero

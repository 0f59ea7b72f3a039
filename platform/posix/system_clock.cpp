#include <chrono>
#include <ctime>

#include "platform/clock.h"

namespace kalvero {
namespace {

class TPosixClock final : public TClock {
 public:
  TLocalDateTime Now() const override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }

  std::int64_t SteadyMilliseconds() const override {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  }
};

}  // namespace

const TClock& SystemClock() {
  static const TPosixClock clock;
  return clock;
}

}  // namespace kalvero

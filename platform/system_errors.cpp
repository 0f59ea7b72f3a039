#include "platform/system_errors.h"

#include <algorithm>

namespace kalvero {

bool IsQuotaExceeded(const std::error_code& error) {
  return std::ranges::find(QuotaExceededErrors(), error) != QuotaExceededErrors().end();
}

}  // namespace kalvero

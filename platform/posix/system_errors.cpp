// The system errors of POSIX systems that std::errc has no name for.

#include <array>
#include <cerrno>

#include "platform/system_errors.h"

namespace kalvero {

std::span<const std::error_code> QuotaExceededErrors() {
  // Both categories: the standard library takes a system error EDQUOT for no generic condition.
  static const std::array<std::error_code, 2> kCodes = {
      std::error_code(EDQUOT, std::generic_category()),
      std::error_code(EDQUOT, std::system_category()),
  };
  return kCodes;
}

}  // namespace kalvero

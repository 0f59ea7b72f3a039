// The system errors of Windows that std::errc has no name for.

#include <windows.h>

#include <array>

#include "platform/system_errors.h"

namespace kalvero {

std::span<const std::error_code> QuotaExceededErrors() {
  static const std::array<std::error_code, 1> kCodes = {
      std::error_code(ERROR_DISK_QUOTA_EXCEEDED, std::system_category()),
  };
  return kCodes;
}

}  // namespace kalvero

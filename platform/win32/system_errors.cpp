// The system errors of Windows that std::errc has no name for.

#include <array>

#include "platform/system_errors.h"

namespace kalvero {
namespace {

// ERROR_DISK_QUOTA_EXCEEDED, which mingw-w64's headers lack.
constexpr int kDiskQuotaExceeded = 1295;

}  // namespace

std::span<const std::error_code> QuotaExceededErrors() {
  static const std::array<std::error_code, 1> kCodes = {
      std::error_code(kDiskQuotaExceeded, std::system_category()),
  };
  return kCodes;
}

}  // namespace kalvero

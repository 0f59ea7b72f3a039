#pragma once

// System errors that std::errc has no portable name for, as this platform reports them, so that
// the engine can tell them without naming a system's own error numbers.

#include <span>
#include <system_error>

namespace kalvero {

// The codes by which the system reports that the user's disk quota is exhausted.
std::span<const std::error_code> QuotaExceededErrors();

// Whether `error` is one of QuotaExceededErrors.
bool IsQuotaExceeded(const std::error_code& error);

}  // namespace kalvero

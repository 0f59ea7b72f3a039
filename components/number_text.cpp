#include "components/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kalvero {
namespace {

constexpr std::int64_t kLargestMagnitude = std::int64_t{1} << 31;  // of -2147483648

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The digits' value, stopping as soon as it exceeds what any 32-bit number needs.
std::optional<std::int64_t> Magnitude(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : digits) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > kLargestMagnitude) return std::nullopt;
  }
  return magnitude;
}

std::optional<std::int32_t> Signed(std::optional<std::int64_t> magnitude, bool negative) {
  if (!magnitude) return std::nullopt;
  const std::int64_t value = negative ? -*magnitude : *magnitude;
  if (value >= kLargestMagnitude) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  while (text.starts_with(' ')) text.remove_prefix(1);
  bool negative = false;
  if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (text.starts_with(prefix)) return Signed(Magnitude(text.substr(prefix.size()), 16), negative);
  }
  return Signed(Magnitude(text, 10), negative);
}

std::optional<std::int32_t> ParseHexDigits(std::string_view digits) {
  return Signed(Magnitude(digits, 16), false);
}

std::optional<double> ParseFloatText(std::string_view text) {
  // from_chars takes no "+", but a sign must not stand twice.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatFloat(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace kalvero

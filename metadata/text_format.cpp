#include "metadata/text_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace kalvero {
namespace {

// Widths and precisions beyond this are cut; no pattern of ours comes near it.
constexpr int kMaxFieldDigits = 64;

struct TDirective {
  int width = 0;
  std::optional<int> precision;
  char conversion = 0;
  std::size_t length = 0;  // characters of the pattern it spans, from the '%' on
};

// Reads the decimal digits at `position`, capped at kMaxFieldDigits.
int ReadDigits(std::string_view pattern, std::size_t& position) {
  int value = 0;
  while (position < pattern.size() && pattern[position] >= '0' && pattern[position] <= '9') {
    value = std::min(value * 10 + (pattern[position] - '0'), kMaxFieldDigits);
    ++position;
  }
  return value;
}

// The directive that starts with the '%' at `start`; its conversion is 0 when the pattern ends.
TDirective ReadDirective(std::string_view pattern, std::size_t start) {
  TDirective directive;
  std::size_t position = start + 1;
  directive.width = ReadDigits(pattern, position);
  if (position < pattern.size() && pattern[position] == '.') {
    ++position;
    directive.precision = ReadDigits(pattern, position);
  }
  if (position < pattern.size()) directive.conversion = pattern[position++];
  directive.length = position - start;
  return directive;
}

// The text of one directive, or none when the argument does not fit it.
std::optional<std::string> Convert(const TDirective& directive, const TFormatArgument& argument) {
  if (directive.conversion == 's' && std::holds_alternative<std::string_view>(argument))
    return std::string(std::get<std::string_view>(argument));
  if (directive.conversion == 'd' && std::holds_alternative<std::int64_t>(argument))
    return std::to_string(std::get<std::int64_t>(argument));
  if (directive.conversion == 'f' && std::holds_alternative<double>(argument))
    return FormatFixed(std::get<double>(argument), directive.precision.value_or(6));
  return std::nullopt;
}

}  // namespace

std::string FormatFixed(double value, int precision) {
  std::array<char, 512> digits;
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                          std::chars_format::fixed, std::clamp(precision, 0, kMaxFieldDigits));
  if (error != std::errc()) return "?";
  return std::string(digits.data(), end);
}

std::string FormatText(std::string_view pattern, std::initializer_list<TFormatArgument> arguments) {
  std::string text;
  const TFormatArgument* next = arguments.begin();
  std::size_t position = 0;
  while (position < pattern.size()) {
    const std::size_t percent = std::min(pattern.find('%', position), pattern.size());
    text.append(pattern.substr(position, percent - position));
    if (percent == pattern.size()) break;
    if (pattern.substr(percent, 2) == "%%") {
      text += '%';
      position = percent + 2;
      continue;
    }
    const TDirective directive = ReadDirective(pattern, percent);
    std::optional<std::string> field;
    if (next != arguments.end()) field = Convert(directive, *next);
    if (field) {
      ++next;
      text.append(static_cast<std::size_t>(directive.width) - std::min<std::size_t>(field->size(), directive.width), ' ');
      text += *field;
    } else {
      text.append(pattern.substr(percent, directive.length));
    }
    position = percent + directive.length;
  }
  return text;
}

}  // namespace kalvero

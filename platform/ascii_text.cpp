#include "platform/ascii_text.h"

#include <algorithm>

namespace kalvero {

bool SameTextAscii(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string AsciiLowerCase(std::string_view text) {
  std::string folded(text);
  std::ranges::transform(folded, folded.begin(), AsciiLower);
  return folded;
}

std::string_view TrimControl(std::string_view text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace kalvero

#include "platform/win32/wide_text.h"

#include <cstdint>

namespace kalvero {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point that starts at `text[at]`, and its length in bytes (1 for a bad byte, which reads
// as U+FFFD). Surrogates are taken, so that WTF-8 reads back; overlong forms are not.
char32_t DecodeOne(std::string_view text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
  const std::uint8_t first = byte(0);
  length = 1;
  if (first < 0x80) return first;
  std::size_t size = 0;
  char32_t point = 0;
  char32_t lowest = 0;
  if ((first & 0xE0) == 0xC0) size = 2, point = first & 0x1F, lowest = 0x80;
  else if ((first & 0xF0) == 0xE0) size = 3, point = first & 0x0F, lowest = 0x800;
  else if ((first & 0xF8) == 0xF0) size = 4, point = first & 0x07, lowest = 0x10000;
  else return kReplacement;
  if (at + size > text.size()) return kReplacement;
  for (std::size_t i = 1; i < size; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kReplacement;
    point = point << 6 | (byte(i) & 0x3F);
  }
  if (point < lowest || point > 0x10FFFF) return kReplacement;
  length = size;
  return point;
}

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | point >> 6);
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | point >> 12);
    out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | point >> 18);
    out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::wstring WideText(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 0;
    const char32_t point = DecodeOne(text, at, length);
    at += length;
    if (point >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(point);
    }
  }
  return wide;
}

std::string NarrowText(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char32_t unit = static_cast<char16_t>(text[at]);
    if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(static_cast<char16_t>(text[at + 1]))) {
      const char32_t low = static_cast<char16_t>(text[++at]);
      AppendUtf8(narrow, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else {
      AppendUtf8(narrow, unit);
    }
  }
  return narrow;
}

}  // namespace kalvero

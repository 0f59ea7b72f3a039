#include "app/cli/escaped_text.h"

#include <cstdint>

namespace kalvero {
namespace {

// The length of the valid UTF-8 sequence at `at` (1 to 4), or 0 when none starts there. Overlong
// forms, surrogates and code points past U+10FFFF are not valid.
std::size_t Utf8Length(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
  else return 0;
  if (at + length > bytes.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

bool IsC1Control(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) == 0xC2 && static_cast<unsigned char>(bytes[at + 1]) <= 0x9F;
}

void AppendHex(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

}  // namespace

std::string Escaped(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte == '\\') {
      out += "\\\\";
      ++at;
      continue;
    }
    const std::size_t length = Utf8Length(bytes, at);
    if (length == 0 || byte < 32 || byte == 127 || (length == 2 && IsC1Control(bytes, at))) {
      // A C1 control is two bytes; each is written as an escape.
      const std::size_t escaped = length == 2 ? 2 : 1;
      for (std::size_t i = 0; i < escaped; ++i) AppendHex(out, static_cast<unsigned char>(bytes[at + i]));
      at += escaped;
      continue;
    }
    out.append(bytes.substr(at, length));
    at += length;
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] != '\\') {
      out += text[at++];
      continue;
    }
    if (at + 1 < text.size() && text[at + 1] == '\\') {
      out += '\\';
      at += 2;
      continue;
    }
    if (at + 3 >= text.size() || text[at + 1] != 'x') return std::nullopt;
    const int high = HexValue(text[at + 2]), low = HexValue(text[at + 3]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    at += 4;
  }
  // An escaped text never holds a byte that would have been escaped: such a text is no escaped text.
  if (Escaped(out) != text) return std::nullopt;
  return out;
}

}  // namespace kalvero

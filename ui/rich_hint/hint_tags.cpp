#include "ui/rich_hint/hint_tags.h"

#include <algorithm>
#include <string>

#include "components/ident_table.h"
#include "components/number_text.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Up to three letters from the start of `text`, in capitals.
std::string LeadingLetters(std::string_view text) {
  std::string letters;
  for (std::size_t i = 0; i < text.size() && letters.size() < 3 && IsAsciiLetter(text[i]); ++i)
    letters.push_back(AsciiUpper(text[i]));
  return letters;
}

THintTagKind KindOfB(char second) {
  switch (second) {
    case 'R': return THintTagKind::LineBreak;
    case 'O': return THintTagKind::Body;
    case 'L': return THintTagKind::Blink;
    default: return THintTagKind::Bold;
  }
}

THintTagKind KindOfS(std::string_view letters) {
  if (letters == "SUB") return THintTagKind::Subscript;
  if (letters == "SUP") return THintTagKind::Superscript;
  if (letters.starts_with("SH")) return THintTagKind::Shadow;
  return THintTagKind::StrikeOut;
}

THintTagKind KindOf(std::string_view letters) {
  const char first = letters.empty() ? '\0' : letters[0];
  const char second = letters.size() > 1 ? letters[1] : '\0';
  switch (first) {
    case 'A': return THintTagKind::Link;
    case 'B': return KindOfB(second);
    case 'E': return THintTagKind::Zigzag;
    case 'F': return THintTagKind::Font;
    case 'H':
      if (second == 'I') return THintTagKind::Highlight;
      return second == 'R' ? THintTagKind::Rule : THintTagKind::Unknown;
    case 'I':
      if (second == 'M') return THintTagKind::Image;
      return second == 'N' ? THintTagKind::Indent : THintTagKind::Italic;
    case 'L': return second == 'I' ? THintTagKind::ListItem : THintTagKind::Unknown;
    case 'P': return THintTagKind::Paragraph;
    case 'R': return THintTagKind::Rotation;
    case 'S': return KindOfS(letters);
    case 'U': return second == 'L' ? THintTagKind::List : THintTagKind::Underline;
    case 'Z': return THintTagKind::Hidden;
    default: return THintTagKind::Unknown;
  }
}

bool NameAt(std::string_view text, std::size_t at, std::string_view name) {
  if (text.size() - at < name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (AsciiUpper(text[at + i]) != name[i]) return false;
  return at == 0 || !(IsAsciiLetter(text[at - 1]) || IsAsciiDigit(text[at - 1]));
}

// Where the value of the attribute whose name ends at `after` starts; none without "=".
std::optional<std::size_t> ValueStart(std::string_view text, std::size_t after) {
  while (after < text.size() && IsBlank(text[after])) ++after;
  if (after >= text.size() || text[after] != '=') return std::nullopt;
  ++after;
  while (after < text.size() && IsBlank(text[after])) ++after;
  return after;
}

std::string_view ValueAt(std::string_view text, std::size_t start) {
  if (start < text.size() && text[start] == '"') {
    const std::string_view quoted = text.substr(start + 1);
    return quoted.substr(0, quoted.find('"'));
  }
  const std::string_view rest = text.substr(start);
  const auto end = std::find_if(rest.begin(), rest.end(), IsBlank);
  return rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
}

// The first six characters as hexadecimal digits RRGGBB; what follows them is ignored.
std::optional<TColor> HexColor(std::string_view digits) {
  if (digits.size() < 6) return std::nullopt;
  return ParseHexDigits(digits.substr(0, 6));
}

}  // namespace

THintTag ClassifyHintTag(std::string_view tag) {
  THintTag result;
  result.text = tag.substr(0, tag.find('>'));
  std::string_view name = result.text.substr(std::min<std::size_t>(1, result.text.size()));
  if (name.starts_with('/')) {
    result.end = true;
    name.remove_prefix(1);
  }
  const std::string letters = LeadingLetters(name);
  result.kind = KindOf(letters);
  result.plainBoldEnd = result.end && letters == "B";
  return result;
}

std::optional<std::string_view> HintAttribute(std::string_view text, std::string_view name) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!NameAt(text, at, name)) continue;
    if (const auto start = ValueStart(text, at + name.size())) return ValueAt(text, *start);
  }
  return std::nullopt;
}

std::optional<int> HintNumber(std::string_view text, int minimum, int maximum) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  if (i >= text.size() || !IsAsciiDigit(text[i])) return std::nullopt;
  long long value = 0;
  constexpr long long kCeiling = 1'000'000'000'000LL;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i) value = std::min(kCeiling, value * 10 + (text[i] - '0'));
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, minimum, maximum));
}

TColor HintColor(std::string_view value) {
  if (value.starts_with('#')) return HexColor(value.substr(1)).value_or(clBlack);
  return IdentToInt(ColorNames(), value).value_or(clBlack);
}

TColor HintTextColor(std::string_view value) {
  const TColor color = HintColor(value);
  return color == clNone ? clBlack : color;
}

int HintFontSize(int number) {
  if (number >= 1 && number <= 5) return 6 + 2 * number;
  return std::clamp(number, 1, 1000);
}

std::optional<THintPicture> HintPictureSource(std::string_view source) {
  if (source.find("://") != std::string_view::npos) return std::nullopt;
  const std::size_t colon = source.find(':');
  if (colon == std::string_view::npos) return THintPicture{THintPictureSource::Container, 0, std::string(source)};
  const std::string prefix = AsciiLowerCase(source.substr(0, colon));
  const std::string_view rest = source.substr(colon + 1);
  if (prefix == "idx") {
    const auto index = HintNumber(rest, -1, 1'000'000);
    if (!index) return std::nullopt;
    return THintPicture{THintPictureSource::ImageList, *index, {}};
  }
  if (prefix == "ssys") return THintPicture{THintPictureSource::SmallSystemIcon, 0, std::string(rest)};
  if (prefix == "lsys") return THintPicture{THintPictureSource::LargeSystemIcon, 0, std::string(rest)};
  return std::nullopt;
}

}  // namespace kalvero

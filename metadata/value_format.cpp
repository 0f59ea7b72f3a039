#include "metadata/value_format.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "metadata/endian_buffer.h"
#include "metadata/tag_entry.h"
#include "metadata/text_format.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

constexpr std::size_t kMaxComponents = 8;
constexpr std::size_t kPrintableLength = 50;

bool IsIntegerType(std::uint16_t format) {
  return format == 1 || format == 3 || format == 4 || format == 6 || format == 8 || format == 9;
}

bool IsRationalType(std::uint16_t format) { return format == 5 || format == 10; }

std::int32_t SignedValue(std::string_view bytes, bool bigEndian) {
  return static_cast<std::int32_t>(ReadUnsigned(bytes, bigEndian));
}

std::string ComponentText(std::string_view bytes, std::uint16_t format, std::string_view codes, bool bigEndian) {
  if (IsIntegerType(format)) {
    const std::string decimal = std::to_string(SignedValue(bytes, bigEndian));
    return codes.empty() ? decimal : DecodeLabel(codes, decimal);
  }
  if (IsRationalType(format))
    return std::to_string(SignedValue(bytes.substr(0, 4), bigEndian)) + "/" +
           std::to_string(SignedValue(bytes.substr(4, 4), bigEndian));
  if (format == 11 || format == 12) return "-9999.99";
  return "?";
}

// A whole number of at most 64 bits with nothing after it; none otherwise.
std::optional<std::int64_t> ReadWhole(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatValue(std::string_view raw, std::uint16_t format, std::string_view codes,
                        std::string_view formatString, bool bigEndian) {
  const std::size_t size = BytesPerComponent(format);
  if (size == 0) return "0";
  std::string text;
  const std::size_t components = std::min(raw.size() / size, kMaxComponents);
  for (std::size_t i = 0; i < components; ++i) {
    if (i > 0) text += ", ";
    text += ComponentText(raw.substr(i * size, size), format, codes, bigEndian);
  }
  if (formatString.empty()) return text;
  if (formatString.find("%s") != std::string_view::npos) return FormatText(formatString, {std::string_view(text)});
  return FormatText(formatString, {ToNumber(raw, format, bigEndian)});
}

double ToNumber(std::string_view raw, std::uint16_t format, bool bigEndian) {
  if (IsIntegerType(format)) return SignedValue(raw, bigEndian);
  if (!IsRationalType(format) || raw.size() < 8) return 0;
  const std::int32_t denominator = SignedValue(raw.substr(4, 4), bigEndian);
  if (denominator == 0) return 0;
  return static_cast<double>(SignedValue(raw.substr(0, 4), bigEndian)) / denominator;
}

std::string Printable(std::string_view text) {
  std::string printable(text.substr(0, kPrintableLength));
  std::ranges::replace_if(printable, [](char c) { return static_cast<unsigned char>(c) < 32; }, '.');
  return printable;
}

std::string DecodeLabel(std::string_view codes, std::string_view value) {
  const std::string key = "," + std::string(TrimControl(value)) + ":";
  const std::string table = "," + std::string(codes) + ",";
  const std::size_t found = table.find(key);
  if (found == std::string::npos) return {};
  const std::size_t start = found + key.size();
  return table.substr(start, table.find(',', start) - start);
}

double ReadRationalText(std::string_view text) {
  text = TrimControl(text);
  std::int64_t whole = 0;
  if (const std::size_t blank = text.find(' '); blank != std::string_view::npos) {
    const auto parsed = ReadWhole(text.substr(0, blank));
    if (!parsed) return 0;
    whole = *parsed;
    text = TrimControl(text.substr(blank + 1));
  }
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return 0;
  const auto numerator = ReadWhole(text.substr(0, slash));
  const auto denominator = ReadWhole(text.substr(slash + 1));
  if (!numerator || !denominator || *denominator == 0) return 0;
  const double den = static_cast<double>(*denominator);
  return (static_cast<double>(whole) * den + static_cast<double>(*numerator)) / den;
}

std::int32_t ReadIntegerText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.starts_with('+') && !text.starts_with("+-")) text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty())
    throw EDecodeError("not an integer: " + Printable(text));
  return value;
}

}  // namespace kalvero

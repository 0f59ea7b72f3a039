#include "metadata/value_decoders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "metadata/text_format.h"
#include "metadata/value_format.h"

namespace kalvero {
namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(separator, start)) != std::string_view::npos;
       start = found + separator.size())
    items.push_back(text.substr(start, found - start));
  items.push_back(text.substr(start));
  return items;
}

// The first three items of a rational list; missing ones read as 0.
std::array<double, 3> ThreeRationals(std::string_view text) {
  const std::vector<std::string_view> items = Split(text, ", ");
  std::array<double, 3> values{};
  for (std::size_t i = 0; i < values.size() && i < items.size(); ++i) values[i] = ReadRationalText(items[i]);
  return values;
}

}  // namespace

std::string DecodeComponentLetters(std::string_view text) {
  static constexpr std::array<std::string_view, 7> kLetters = {"", "Y", "Cb", "Cr", "R", "G", "B"};
  std::string letters;
  for (const char c : text.substr(std::min<std::size_t>(1, text.size()), 4)) {
    const auto code = static_cast<unsigned char>(c);
    if (code < kLetters.size()) letters += kLetters[code];
  }
  return letters;
}

std::string DecodeExposureTime(std::string_view text) {
  const double seconds = std::exp2(-ReadRationalText(text));
  std::string shown = FormatText("%4.4f sec", {seconds});
  const double reciprocal = std::round(1 / seconds);
  // A time too short for a 32-bit denominator has no "1/n" form worth showing.
  if (seconds <= 0.5 && reciprocal <= std::numeric_limits<std::int32_t>::max())
    shown += FormatText(" (1/%d)", {static_cast<std::int64_t>(reciprocal)});
  return shown;
}

std::string DecodeFlashBits(std::string_view text) {
  static constexpr std::array<std::string_view, 4> kReturn = {"", ", UNKNOWN", ", no strobe return", ", strobe return"};
  static constexpr std::array<std::string_view, 4> kMode = {"", ", forced", ", surpressed", ", auto mode"};
  const std::int32_t bits = ReadIntegerText(text);
  std::string shown = (bits & 1) != 0 ? "On" : "Off";
  shown += kReturn[(bits >> 1) & 3];
  shown += kMode[(bits >> 3) & 3];
  if ((bits & 0x20) != 0) shown += ", no flash function";
  if ((bits & 0x40) != 0) shown += ", red-eye reduction";
  return shown;
}

std::string DecodeUserComment(std::string_view text) { return std::string(text.substr(std::min<std::size_t>(8, text.size()))); }

std::string DecodeCharacterCodes(std::string_view text) {
  const std::vector<std::string_view> items = Split(text, ",");
  std::string shown;
  for (std::size_t i = 0; i < items.size(); i += 2) {
    const auto code = static_cast<std::uint32_t>(ReadIntegerText(items[i]));
    if ((code & 0xFF) != 0) shown += static_cast<char>(code & 0xFF);
  }
  return shown;
}

std::string DecodeDegrees(std::string_view text) {
  auto [degrees, minutes, seconds] = ThreeRationals(text);
  if (seconds == 0) {
    const double wholeMinutes = std::trunc(minutes);
    seconds = (minutes - wholeMinutes) * 100 * 0.6;
    minutes = wholeMinutes;
  }
  return FormatText("%0.0f Degrees %0.0f Minutes %0.0f Seconds", {degrees, minutes, seconds});
}

std::string DecodeTimeOfDay(std::string_view text) {
  const auto [hours, minutes, seconds] = ThreeRationals(text);
  return FormatText("%0.0f:%0.0f:%0.0f", {hours, minutes, seconds});
}

}  // namespace kalvero

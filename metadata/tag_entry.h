#pragma once

// One row of the tag catalogue and, once filled with a value, one entry of a decoded tag list.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvero {

// A special display of a value: receives the display text formed so far, answers the new one.
// It throws EDecodeError for a text it cannot read.
using TValueDecoder = std::string (*)(std::string_view text);

// The catalogue's texts are views of the process-wide catalogue, which lives until the process
// ends, so an entry copies them without allocating.
struct TTagEntry {
  std::uint16_t format = 0;  // TIFF value type (1 to 12); 0 in catalogue rows
  std::uint16_t tag = 0;
  std::string_view name;         // key name, such as "DateTimeOriginal"
  std::string_view description;  // display name
  std::string_view codes;        // "value:label" pairs joined by commas, or empty
  std::string text;              // display text of the value (list entries only)
  std::string raw;               // the value's bytes as stored (list entries only)
  std::int64_t position = 0;     // of `raw` in the segment, counted from 1 (list entries only)
  std::string_view formatString;  // display pattern, or empty
  std::int64_t size = 0;          // bytes in `raw` (list entries only)
  TValueDecoder decoder = nullptr;
};

// TIFF value types (TIFF 6.0, section 2; Exif 2.3, 4.6.2): bytes per component by type, 0 for
// type 0 and for every type outside 1 to 12, whose entries are therefore skipped.
constexpr unsigned BytesPerComponent(std::uint16_t format) {
  constexpr unsigned kSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return format < 13 ? kSizes[format] : 0;
}

}  // namespace kalvero

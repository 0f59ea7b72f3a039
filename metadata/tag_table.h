#pragma once

// The rows of the tag catalogue as written in the program: a tag number, its key name and, in
// some rows, a display name, a decode table, a display pattern or a decoder. TTagCatalogue turns
// them into catalogue entries once per process.

#include <cstdint>
#include <span>
#include <string_view>

#include "metadata/tag_entry.h"

namespace kalvero {

struct TCatalogueRow {
  std::uint16_t tag;
  std::string_view name;
  std::string_view description = {};
  std::string_view codes = {};
  std::string_view formatString = {};
  TValueDecoder decoder = nullptr;
};

// The TIFF, Exif and interoperability tags in ascending order, then the row "Unknown" (tag 0).
std::span<const TCatalogueRow> MainTagRows();

// The GPS tags 0 to 30 in order.
std::span<const TCatalogueRow> GpsTagRows();

}  // namespace kalvero

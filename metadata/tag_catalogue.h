#pragma once

// The tag catalogue: names, display names and display rules of the tags that the directory walk
// meets. Process-wide and read-only once built; it is built, display names included, on first
// use, which is safe from any thread.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "metadata/tag_entry.h"

namespace kalvero {

// Directory kinds: the TIFF, Exif, interoperability and SubIFD directories, and the GPS one.
constexpr int kMainDirectory = 1;
constexpr int kGpsDirectory = 2;

// The main table: its tag rows, then the row "Unknown" (tag 0).
std::span<const TTagEntry> MainCatalogue();
// The GPS table.
std::span<const TTagEntry> GpsCatalogue();

// The first row of `tag` in the table of directory `kind`; the "Unknown" row when that table has
// no such tag or the kind is neither.
const TTagEntry& FindTagById(std::uint16_t tag, int kind);

// The index of the first tag row of the main table whose name equals `name`, A-Z compared
// without regard to case; -1 when there is none.
int CatalogueIndex(std::string_view name);

// The display name made from a key name: a blank before every capital A-Z that follows a
// character other than a capital ("ExposureTime" gives "Exposure Time", "ISOSpeedRatings" gives
// "ISOSpeed Ratings"). Rows without a display name of their own get this one.
std::string SplitWords(std::string_view name);

}  // namespace kalvero

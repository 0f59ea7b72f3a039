#pragma once

// Builds the boxes of HEIF pictures, CR3 raw files and videos byte by byte for the date readers'
// tests, so that each test states the structure it needs.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvero {

// Big-endian numbers.
std::string Be16(std::uint64_t value);
std::string Be32(std::uint64_t value);
std::string Be64(std::uint64_t value);

// A box with a 32-bit size; a full box has version and flags (0) before its payload.
std::string Box(std::string_view type, std::string_view payload);
std::string FullBox(std::string_view type, int version, std::string_view payload);

// How a HEIF picture lays out its Exif item.
struct THeifShape {
  int ilocVersion = 1;
  int infeVersion = 2;
  int offsetSize = 4;  // of the extents' offsets and lengths
  bool baseOffset = false;  // offsets counted from a base offset (8 bytes) at the mdat's payload
  int parts = 1;            // extents, with a gap between them
  std::uint64_t offsetShift = 0;  // added to the first extent's offset
  std::string itemType = "Exif";
  int tiles = 1;  // picture items listed before it
  int constructionMethod = 0;  // 1: the item lies in the meta box's idat box
};

// ftyp, meta (hdlr, iinf with a picture item and the item of `shape.itemType`, iloc) and mdat
// holding `item`.
std::string HeifFile(std::string_view item, const THeifShape& shape = {});

// An Exif item: the offset 6, "Exif\0\0" and the TIFF block.
std::string ExifItem(std::string_view tiff);

// The movie header of `version` with the creation time `created` (seconds since 1904).
std::string MovieHeader(int version, std::uint64_t created);

// A QuickTime meta box holding a title and, as the second key, the creation date `text` with the
// data type `dataType` (1: UTF-8); `isoForm` puts version and flags first.
std::string QuickTimeMeta(std::string_view text, bool isoForm = false, std::uint32_t dataType = 1);

// ftyp, a small mdat and a moov box holding `movieChildren`.
std::string MovieFile(std::string_view movieChildren);

// The 16-byte extended type of a CR3 file's metadata box.
std::string Cr3MetadataUuid();

// ftyp of brand `brand`, a moov box holding the uuid box `uuid` with the boxes `inside`, and mdat.
std::string Cr3File(std::string_view inside, std::string_view brand = "crx ",
                    std::string_view uuid = Cr3MetadataUuid());

}  // namespace kalvero

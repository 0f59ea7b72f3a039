// The date of a HEIF picture (.heic .heif .avif): the file's top-level meta box lists its items
// (iinf) and where their bytes lie (iloc); the item of type Exif holds a TIFF block, decoded as a
// JPEG's Exif segment is.

#include <algorithm>

#include "metadata/image_reader.h"
#include "metadata/media_boxes.h"
#include "metadata/media_date.h"

namespace kalvero {
namespace {

using namespace std::string_view_literals;

// More items than any picture has (a grid of tiles, thumbnails and depth maps included).
constexpr std::uint64_t kMaxItems = 4096;
// The Exif item in more parts than this is not read.
constexpr std::uint64_t kMaxExtents = 64;

constexpr std::string_view kUnreadableLocations = "the item locations cannot be read";

struct TExtent {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// Where the bytes of an item lie: in the file (construction method 0) or in the meta box's idat
// box (method 1), its extents' offsets counted from the start of that place.
struct TItemPlace {
  bool inData = false;
  std::vector<TExtent> extents;
};

// The item id of the first item of type Exif in the payload of iinf; none when there is none.
// Item infos of versions 0 and 1 name no type and are passed over.
//   iinf: version(1) flags(3) count(2, or 4 from version 1) infe boxes
//   infe: version(1) flags(3) id(2, or 4 from version 3) protection(2) type(4) ...
std::optional<std::uint64_t> ExifItemId(TBoxWalker& walker, std::string_view itemInfos) {
  TByteCursor cursor(itemInfos);
  const std::optional<std::uint64_t> version = cursor.Number(1);
  if (!version || !cursor.Skip(3) || !cursor.Skip(*version == 0 ? 2 : 4)) return std::nullopt;
  const std::string_view entries = cursor.Rest();
  const std::optional<std::vector<TBox>> boxes = walker.Boxes(entries);
  if (!boxes) return std::nullopt;
  for (const TBox& box : *boxes) {
    if (box.type != "infe") continue;
    TByteCursor entry(entries.substr(box.offset, box.size));
    const std::optional<std::uint64_t> entryVersion = entry.Number(1);
    if (!entryVersion || *entryVersion < 2 || !entry.Skip(3)) continue;
    const std::optional<std::uint64_t> id = entry.Number(*entryVersion == 2 ? 2 : 4);
    const bool typed = entry.Skip(2) && entry.Take(4) == "Exif"sv;
    if (id && typed) return id;
  }
  return std::nullopt;
}

// The field sizes of an iloc payload, which the cursor has read past.
//   iloc: version(1) flags(3) offset size(4 bits) length size(4) base offset size(4)
//         index size(4, from version 1) count(2, or 4 from version 2), then per item:
//         id(2, or 4 from version 2) [construction method: low 4 of 16 bits, from version 1]
//         data reference(2) base offset extent count(2) extents: [index] offset length
struct TLocationLayout {
  std::uint64_t version = 0;
  std::size_t offsetSize = 0, lengthSize = 0, baseSize = 0, indexSize = 0;
  std::size_t WideFields() const { return version == 2 ? 4 : 2; }
  std::uint64_t ExtentSize() const { return indexSize + offsetSize + lengthSize; }
};

std::optional<TLocationLayout> ReadLocationLayout(TByteCursor& cursor) {
  const std::optional<std::uint64_t> version = cursor.Number(1);
  const bool flags = cursor.Skip(3);
  const std::optional<std::uint64_t> sizes = cursor.Number(1);
  const std::optional<std::uint64_t> moreSizes = cursor.Number(1);
  if (!version || !flags || !sizes || !moreSizes || *version > 2) return std::nullopt;
  const TLocationLayout layout{.version = *version,
                               .offsetSize = *sizes >> 4,
                               .lengthSize = *sizes & 15,
                               .baseSize = *moreSizes >> 4,
                               .indexSize = *version == 0 ? 0 : *moreSizes & 15};
  const auto fieldSize = [](std::size_t size) { return size == 0 || size == 4 || size == 8; };
  if (!fieldSize(layout.offsetSize) || !fieldSize(layout.lengthSize) || !fieldSize(layout.baseSize) ||
      !fieldSize(layout.indexSize))
    return std::nullopt;
  return layout;
}

// The `count` extents of an item after its base offset `base`, each inside the place of `size`
// bytes that holds it; `outside` says why not.
std::optional<std::vector<TExtent>> ReadItemExtents(TBoxWalker& walker, TByteCursor& cursor,
                                                    const TLocationLayout& layout, std::uint64_t base,
                                                    std::uint64_t count, std::uint64_t size,
                                                    std::string_view outside) {
  if (count > kMaxExtents) return walker.Fail("the Exif item has too many parts");
  std::vector<TExtent> extents;
  for (std::uint64_t i = 0; i < count; ++i) {
    const bool indexed = cursor.Skip(layout.indexSize);
    const std::optional<std::uint64_t> offset = cursor.Number(layout.offsetSize);
    const std::optional<std::uint64_t> length = cursor.Number(layout.lengthSize);
    if (!indexed || !offset || !length) return walker.Fail(kUnreadableLocations);
    const std::uint64_t start = base + *offset;
    if (start < base || start > size || *length > size - start) return walker.Fail(outside);
    // Length 0 stands for the rest of the place.
    extents.push_back({start, *length == 0 ? size - start : *length});
  }
  return extents;
}

// Where the bytes of item `id` lie, from the payload of iloc: in the file of `fileSize` bytes, or
// in the idat box of `dataSize` bytes. No extents when the item has no location or lies elsewhere
// (in another file, or made by another construction); none with the walker's fault set when the
// locations cannot be read or point outside their place.
std::optional<TItemPlace> ItemPlace(TBoxWalker& walker, std::string_view locations, std::uint64_t id,
                                    std::uint64_t fileSize, std::uint64_t dataSize) {
  TByteCursor cursor(locations);
  const std::optional<TLocationLayout> layout = ReadLocationLayout(cursor);
  const std::optional<std::uint64_t> count = layout ? cursor.Number(layout->WideFields()) : std::nullopt;
  if (!count) return walker.Fail(kUnreadableLocations);
  if (*count > kMaxItems) return walker.Fail("too many items");
  for (std::uint64_t item = 0; item < *count; ++item) {
    const std::optional<std::uint64_t> itemId = cursor.Number(layout->WideFields());
    const std::optional<std::uint64_t> method = cursor.Number(layout->version == 0 ? 0 : 2);
    const std::optional<std::uint64_t> reference = cursor.Number(2);
    const std::optional<std::uint64_t> base = cursor.Number(layout->baseSize);
    const std::optional<std::uint64_t> extentCount = cursor.Number(2);
    if (!itemId || !method || !reference || !base || !extentCount) return walker.Fail(kUnreadableLocations);
    if (*itemId == id) {
      const bool inData = (*method & 15) == 1;
      if (((*method & 15) != 0 && !inData) || *reference != 0) return TItemPlace{};
      auto extents = inData ? ReadItemExtents(walker, cursor, *layout, *base, *extentCount, dataSize,
                                              "the item lies outside its data box")
                            : ReadItemExtents(walker, cursor, *layout, *base, *extentCount, fileSize,
                                              "the item lies outside the file");
      if (!extents) return std::nullopt;
      return TItemPlace{inData, std::move(*extents)};
    }
    if (!cursor.Skip(*extentCount * layout->ExtentSize())) return walker.Fail(kUnreadableLocations);
  }
  return TItemPlace{};
}

// The item's bytes, its extents one after the other, from the file or from the idat box's payload
// `data`, up to the size of a TIFF block that the decoder takes from a TIFF file; the dates lie in
// its first directories.
std::optional<std::string> ReadItem(TBoxWalker& walker, const TItemPlace& place, std::string_view data) {
  std::string bytes;
  for (const TExtent& extent : place.extents) {
    const std::uint64_t wanted = std::min<std::uint64_t>(extent.length, TImageReader::kTiffBufferSize - bytes.size());
    const std::optional<std::string> part =
        place.inData ? std::string(data.substr(extent.offset, wanted)) : walker.Read(extent.offset, wanted);
    if (!part) return std::nullopt;
    bytes += *part;
    if (bytes.size() == TImageReader::kTiffBufferSize) break;
  }
  return bytes;
}

// The TIFF block of an Exif item: a 4-byte offset to the TIFF header, counted from the end of the
// offset; the header is usually preceded by "Exif\0\0", which some writers count in and some not.
std::string_view TiffBlockOfItem(std::string_view item) {
  TByteCursor cursor(item);
  const std::optional<std::uint64_t> offset = cursor.Number(4);
  if (!offset || !cursor.Skip(*offset)) return {};
  std::string_view block = cursor.Rest();
  if (block.starts_with("Exif\0\0"sv)) block.remove_prefix(6);
  return block;
}

TMediaDate ReadHeif(TFileSystem& fileSystem, TBoxWalker& walker, std::uint64_t fileSize) {
  if (walker.FirstType() != "ftyp") return Unfit("no ftyp box");
  const std::optional<std::vector<TBox>> top = walker.FileBoxes(0, fileSize, "meta");
  if (!top) return {};
  const TBox* meta = FindBox(*top, "meta");
  if (meta == nullptr) return Unfit("no meta box");
  const std::optional<std::string> metaBytes = walker.Payload(*meta);
  if (!metaBytes) return {};
  // The meta box is a full box: version and flags before its children.
  TByteCursor cursor(*metaBytes);
  if (!cursor.Skip(4)) return Unfit("the boxes do not fit");
  const std::string_view children = cursor.Rest();
  const std::optional<std::vector<TBox>> boxes = walker.Boxes(children);
  if (!boxes) return {};
  const TBox* itemInfos = FindBox(*boxes, "iinf");
  const TBox* locations = FindBox(*boxes, "iloc");
  if (itemInfos == nullptr || locations == nullptr) return {};
  const std::optional<std::uint64_t> id = ExifItemId(walker, children.substr(itemInfos->offset, itemInfos->size));
  if (!id) return {};
  const TBox* itemData = FindBox(*boxes, "idat");
  const std::string_view data = itemData ? children.substr(itemData->offset, itemData->size) : std::string_view();
  const std::optional<TItemPlace> place =
      ItemPlace(walker, children.substr(locations->offset, locations->size), *id, fileSize, data.size());
  if (!place || place->extents.empty()) return {};
  const std::optional<std::string> item = ReadItem(walker, *place, data);
  if (!item) return {};
  // An Exif item that holds no TIFF block holds no date.
  return TMediaDate{.dateText = TiffBlocksDate(fileSystem, {TiffBlockOfItem(*item)}).value_or(""), .unfitReason = {}};
}

}  // namespace

TMediaDate ReadHeifDate(TFileSystem& fileSystem, const std::string& path) {
  return ReadBoxFile(fileSystem, path, [&fileSystem](TBoxWalker& walker, std::uint64_t fileSize) {
    return ReadHeif(fileSystem, walker, fileSize);
  });
}

}  // namespace kalvero

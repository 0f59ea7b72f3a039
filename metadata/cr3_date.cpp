// The date of a CR3 raw file: a box file of brand "crx " whose moov box holds a uuid box of
// metadata boxes; CMT1 is a TIFF block with IFD0, CMT2 one whose first directory is the Exif
// directory. Decoded one after the other, they give the date a JPEG with the same directories
// would: DateTimeOriginal, else IFD0's DateTime.

#include <algorithm>

#include "metadata/image_reader.h"
#include "metadata/media_boxes.h"
#include "metadata/media_date.h"

namespace kalvero {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kMetadataUuid = "\x85\xC0\xB6\x87\x82\x0F\x11\xE0\x81\x11\xF4\xCE\x46\x2B\x6A\x48"sv;
constexpr std::string_view kBrand = "crx ";

// True when the payload of ftyp names the brand, as its major brand or a compatible one.
//   ftyp: major brand(4) minor version(4) compatible brands(4 each)
bool HasBrand(std::string_view fileType) {
  if (fileType.starts_with(kBrand)) return true;
  for (std::size_t at = 8; at + 4 <= fileType.size(); at += 4) {
    if (fileType.substr(at, 4) == kBrand) return true;
  }
  return false;
}

TMediaDate ReadCr3(TFileSystem& fileSystem, TBoxWalker& walker, std::uint64_t fileSize) {
  if (walker.FirstType() != "ftyp") return Unfit("no ftyp box");
  const std::optional<std::vector<TBox>> top = walker.FileBoxes(0, fileSize, "moov");
  if (!top) return {};
  // The brands come first; a longer list is cut, which only a forged file has.
  const TBox& fileTypeBox = top->front();
  const std::optional<std::string> fileType =
      walker.Read(fileTypeBox.offset, std::min<std::uint64_t>(fileTypeBox.size, 256));
  if (!fileType) return {};
  if (!HasBrand(*fileType)) return Unfit("not a crx file");
  const TBox* movie = FindBox(*top, "moov");
  if (movie == nullptr) return Unfit("no moov box");
  const std::optional<std::vector<TBox>> children = walker.FileBoxes(movie->offset, movie->offset + movie->size);
  if (!children) return {};
  const auto uuid = std::ranges::find_if(
      *children, [](const TBox& box) { return box.type == "uuid" && box.extendedType == kMetadataUuid; });
  if (uuid == children->end()) return Unfit("no metadata uuid box");
  const std::optional<std::vector<TBox>> inside = walker.FileBoxes(uuid->offset, uuid->offset + uuid->size);
  if (!inside) return {};
  const TBox* main = FindBox(*inside, "CMT1");
  const TBox* exif = FindBox(*inside, "CMT2");
  if (main == nullptr || exif == nullptr) return Unfit("no CMT boxes");
  // As from a TIFF file, a block is read up to the decoder's buffer size.
  const auto readBlock = [&walker](const TBox& box) {
    return walker.Read(box.offset, std::min<std::uint64_t>(box.size, TImageReader::kTiffBufferSize));
  };
  const std::optional<std::string> mainBlock = readBlock(*main);
  const std::optional<std::string> exifBlock = mainBlock ? readBlock(*exif) : std::nullopt;
  if (!exifBlock) return {};
  const std::optional<std::string> date = TiffBlocksDate(fileSystem, {*mainBlock, *exifBlock});
  if (!date) return Unfit("the CMT boxes are not TIFF");
  return TMediaDate{.dateText = *date, .unfitReason = {}};
}

}  // namespace

TMediaDate ReadCr3Date(TFileSystem& fileSystem, const std::string& path) {
  return ReadBoxFile(fileSystem, path, [&fileSystem](TBoxWalker& walker, std::uint64_t fileSize) {
    return ReadCr3(fileSystem, walker, fileSize);
  });
}

}  // namespace kalvero

// The dates of raw files: the TIFF-based kinds through the TIFF road of TImageReader, from the
// IFD0 that their header names, and .raf through the JPEG road over the picture it embeds. Both
// read the file from its start, front to back, within a fixed number of bytes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "metadata/buffered_file.h"
#include "metadata/endian_buffer.h"
#include "metadata/image_reader.h"
#include "metadata/media_date.h"

namespace kalvero {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t kTiffHeaderSize = 8;

// The byte order and the magic number of a TIFF header as they stand in the file: the standard
// one in either order, and the variants of Olympus ("IIRO", "IIRS", "MMOR") and Panasonic ("IIU\0").
constexpr std::array<std::string_view, 6> kTiffMagics = {"II*\0"sv, "MM\0*"sv, "IIRO"sv,
                                                         "IIRS"sv, "MMOR"sv, "IIU\0"sv};

//   "FUJIFILMCCD-RAW " | ... | JPEG offset(4, at 84) | JPEG length(4, at 88) | ...
// Both numbers are big-endian and count from the start of the file.
constexpr std::string_view kRafMagic = "FUJIFILMCCD-RAW ";
constexpr std::size_t kRafJpegOffsetAt = 84;
constexpr std::size_t kRafHeaderSize = 92;
// The embedded JPEG follows the header's few directories closely; one further in is not sought,
// since the file is read front to back and the bytes before it would all be read.
constexpr std::uint64_t kMaxRafJpegOffset = 1 << 20;
// The metadata segments lie at the head of the JPEG: only so many of its bytes are walked.
constexpr std::uint64_t kMaxRafJpegHead = 1 << 20;

TMediaDate Unfit(std::string reason) { return {.dateText = {}, .unfitReason = std::move(reason)}; }

// The date the reader's walk found, also when the walk ended early.
std::string FoundDate(const TImageReader& reader) {
  return reader.ExifFound() && reader.exifInfo ? reader.exifInfo->dateTime : std::string();
}

TMediaDate TiffRawDate(TFileSystem& fileSystem, const std::string& path) {
  std::error_code error;
  const std::unique_ptr<TReadableFile> file = fileSystem.OpenRead(path, error);
  if (!file) return Unfit("the file cannot be opened");
  const std::uint64_t fileSize = file->Facts().size;
  TBufferedFile reader(*file);
  const std::string header = reader.Read(kTiffHeaderSize);
  if (header.size() < kTiffHeaderSize || std::ranges::find(kTiffMagics, header.substr(0, 4)) == kTiffMagics.end())
    return Unfit("no TIFF header");
  const bool bigEndian = header[0] == 'M';
  const std::uint32_t firstDirectory = ReadUnsigned(std::string_view(header).substr(4, 4), bigEndian);
  if (firstDirectory < kTiffHeaderSize) return Unfit("the first directory overlaps the header");
  // The directory's entry count at least must lie inside the file.
  if (std::uint64_t{firstDirectory} + 2 > fileSize) return Unfit("the first directory lies past the end");
  TImageReader imageReader(fileSystem, 255);
  try {
    if (!imageReader.DecodeTiffDirectories(reader, bigEndian, firstDirectory))
      return Unfit("the first directory lies too far in");
  } catch (...) {
    // A value that cannot be decoded ends the walk; what it found before stays.
  }
  return {.dateText = FoundDate(imageReader), .unfitReason = {}};
}

TMediaDate RafDate(TFileSystem& fileSystem, const std::string& path) {
  std::error_code error;
  const std::unique_ptr<TReadableFile> file = fileSystem.OpenRead(path, error);
  if (!file) return Unfit("the file cannot be opened");
  const std::uint64_t fileSize = file->Facts().size;
  TBufferedFile reader(*file);
  const std::string header = reader.Read(kRafHeaderSize);
  if (!header.starts_with(kRafMagic)) return Unfit("no RAF header");
  if (header.size() < kRafHeaderSize) return Unfit("the RAF header is cut short");
  const std::string_view numbers = std::string_view(header).substr(kRafJpegOffsetAt);
  const std::uint64_t offset = ReadUnsigned(numbers.substr(0, 4), true);
  const std::uint64_t length = ReadUnsigned(numbers.substr(4, 4), true);
  if (offset < kRafHeaderSize) return Unfit("the JPEG overlaps the header");
  if (offset + length > fileSize) return Unfit("the JPEG lies past the end");
  if (offset > kMaxRafJpegOffset) return Unfit("the JPEG lies too far in");
  reader.Skip(offset - kRafHeaderSize);
  reader.Limit(std::min(length, kMaxRafJpegHead));
  TImageReader imageReader(fileSystem, 255);
  imageReader.ReadJpeg(reader);
  return {.dateText = FoundDate(imageReader), .unfitReason = {}};
}

}  // namespace

TMediaDate ReadTiffRawDate(TFileSystem& fileSystem, const std::string& path) {
  try {
    return TiffRawDate(fileSystem, path);
  } catch (...) {
    return Unfit("the file cannot be read");
  }
}

TMediaDate ReadRafDate(TFileSystem& fileSystem, const std::string& path) {
  try {
    return RafDate(fileSystem, path);
  } catch (...) {
    return Unfit("the file cannot be read");
  }
}

}  // namespace kalvero

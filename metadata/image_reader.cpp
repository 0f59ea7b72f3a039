#include "metadata/image_reader.h"

#include <optional>

#include "metadata/buffered_file.h"
#include "metadata/tag_catalogue.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

using namespace std::string_view_literals;

constexpr int kEndOfImage = 0xD9;
constexpr int kStartOfScan = 0xDA;
constexpr int kApp0 = 0xE0;
constexpr int kApp1 = 0xE1;
constexpr int kApp13 = 0xED;
constexpr int kComment = 0xFE;

// Days from 1899-12-30, the epoch of the date-time type, to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;
constexpr double kNanosecondsPerDay = 86400e9;

// The extension of the file name in `path`, from its last dot on, in lower case.
std::string Extension(std::string_view path) {
  const std::string_view name = path.substr(path.find_last_of('/') + 1);
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? std::string() : AsciiLowerCase(name.substr(dot));
}

// No picture puts more fill bytes before a marker; a file that does is read no further, so that a
// file of nothing else is not read to its end.
constexpr std::size_t kMostFillBytes = 1 << 20;

// The marker code after the 0xFF fill bytes; none at the end of the file or after too many.
std::optional<int> ReadMarkerCode(TBufferedFile& file) {
  std::optional<std::uint8_t> byte;
  std::size_t fill = 0;
  do {
    byte = file.ReadByte();
  } while (byte == 0xFF && ++fill <= kMostFillBytes);
  if (!byte || byte == 0xFF) return std::nullopt;
  return *byte;
}

}  // namespace

TImageReader::TImageReader(TFileSystem& fileSystem, int mode) : listMode(mode), fileSystem_(fileSystem) {
  ResetState();
}

TImageReader::~TImageReader() = default;

void TImageReader::ResetState() {
  sectionCount = 0;
  exifSection = iptcSection = commentSection = app0Section = nullptr;
  filePath.clear();
  fileTime = 0;
  fileLength = 0;
  errorText.clear();
  exifInfo.reset();
  iptcInfo.reset();
  bigEndian = false;
}

bool TImageReader::LoadFile(const std::string& path) {
  ResetState();
  const std::string extension = Extension(path);
  const bool jpeg = extension == ".jpg" || extension == ".jpeg" || extension == ".jpe";
  const bool tiff = extension == ".tif" || extension == ".tiff" || extension == ".nef";
  // A picture is opened first and its facts come with the open file, which saves a query per
  // file; a file that cannot be opened is then told apart from one that does not exist.
  std::unique_ptr<TReadableFile> file;
  std::optional<TFileFacts> facts;
  if (jpeg || tiff) {
    std::error_code error;
    file = fileSystem_.OpenRead(path, error);
    if (file) facts = file->Facts();
  }
  if (!facts) facts = fileSystem_.FileFacts(path);
  if (!facts) return false;
  ReadFileFacts(path, *facts);
  errorText = "Not an EXIF file";
  if (!jpeg && !tiff) return false;
  if (!file) {
    errorText = "Illegal Exif construction";
    return false;
  }
  try {
    TBufferedFile reader(*file);
    const bool found = jpeg ? ReadJpeg(reader) : ReadTiff(reader);
    if (found) errorText = "<none>";
    return found;
  } catch (...) {
    errorText = "Illegal Exif construction";
    return false;
  }
}

void TImageReader::ReadFileFacts(const std::string& path, const TFileFacts& facts) {
  filePath = path;
  fileTime = kUnixEpochDays + static_cast<double>(facts.lastWriteNanoseconds) / kNanosecondsPerDay;
  fileLength = static_cast<std::uint32_t>(facts.size);
}

bool TImageReader::ReadJpeg(TBufferedFile& file) {
  tiffSource = false;
  try {
    return WalkMarkers(file);
  } catch (...) {
    return false;
  }
}

//   FF D8 | FF* FF code | length(2, high byte first) body(length - 2) | ... | FF DA (scan data)
bool TImageReader::WalkMarkers(TBufferedFile& file) {
  if (file.Read(2) != "\xFF\xD8"sv) return false;
  sectionCount = 0;
  while (sectionCount < kMaxSections) {
    bool complete = false;
    if (!ReadSection(file, complete)) break;
    if (!complete) continue;
    if (sectionCount == 5 && !exifSection && !iptcSection && !commentSection) break;
    if (!ClassifySection(sections[static_cast<std::size_t>(sectionCount)])) break;
  }
  return exifSection || iptcSection || commentSection;
}

bool TImageReader::ReadSection(TBufferedFile& file, bool& complete) {
  const std::optional<int> code = ReadMarkerCode(file);
  if (!code) return false;
  std::string bytes = file.Read(2);
  if (bytes.size() < 2) return false;
  tSection& slot = sections[static_cast<std::size_t>(++sectionCount)];
  slot.marker = *code;
  slot.length = static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
  if (slot.length < 2) {
    slot.bytes = std::move(bytes);
    return false;
  }
  bytes += file.Read(static_cast<std::size_t>(slot.length - 2));
  complete = bytes.size() == static_cast<std::size_t>(slot.length);
  slot.bytes = std::move(bytes);
  return true;
}

bool TImageReader::ClassifySection(tSection& slot) {
  switch (slot.marker) {
    case kEndOfImage:
    case kStartOfScan: return false;
    case kApp0: app0Section = &slot; break;
    case kApp1:
      if (sectionCount > 5 || exifSection) {
        --sectionCount;
      } else {
        AcceptExifSection(slot);
      }
      break;
    case kApp13:
      if (!iptcSection) {
        iptcSection = &slot;
        iptcInfo = std::make_unique<TIptcInfo>(*this);
      }
      break;
    case kComment: commentSection = &slot; break;
    default: break;
  }
  return true;
}

void TImageReader::AcceptExifSection(tSection& slot) {
  // The identifier is tested by the decoder, so a first APP1 that is no Exif block (XMP, say)
  // still takes the place of the Exif segment.
  exifSection = &slot;
  exifInfo = std::make_unique<TExifInfo>(*this, listMode);
  SetBuffer(slot.bytes);
  DecodeExifSegment();
}

//   length(2) "Exif" 00 00 | "II" or "MM" | 42(2) | IFD0 offset(4) | ...
//   positions:  1-2  3-8      9-10          11-12   13-16
// Offsets inside the block count from the byte-order mark at position 9.
void TImageReader::DecodeExifSegment() {
  if (!exifInfo) exifInfo = std::make_unique<TExifInfo>(*this, listMode);
  if (Bytes(3, 5) != "Exif\0"sv) {
    errorText = "Incorrect Exif header";
    return;
  }
  const std::string_view order = Bytes(9, 2);
  if (order != "II" && order != "MM") {
    errorText = "Invalid Exif alignment marker";
    return;
  }
  bigEndian = order == "MM";
  exifInfo->bigEndian = bigEndian;
  exifInfo->listing.clear();
  exifInfo->SetBuffer(buffer);
  if (!exifInfo->Holds(13, 4)) {
    errorText = "Illegally sized directory";
    return;
  }
  const std::uint32_t first = exifInfo->Read32(13);
  const std::int64_t tiffHeader = 9;
  exifInfo->WalkDirectory(first == 0 ? tiffHeader + 8 : tiffHeader + first, tiffHeader,
                          static_cast<std::int64_t>(buffer.size()) - 6, kMainDirectory);
  exifInfo->DeriveFocalLength();
}

bool TImageReader::DecodeTiffBlock(std::string_view tiff) {
  if (!tiff.starts_with("II*\0"sv) && !tiff.starts_with("MM\0*"sv)) return false;
  // The length field is not read by the decoder: the block's own size bounds the walk.
  std::string segment("\0\0Exif\0\0"sv);
  segment.append(tiff);
  SetBuffer(std::move(segment));
  try {
    DecodeExifSegment();
  } catch (...) {
    errorText = "Illegal Exif construction";
  }
  return true;
}

bool TImageReader::ReadTiff(TBufferedFile& file) {
  tiffSource = true;
  bool found = false;
  try {
    found = ReadTiffHeader(file);
  } catch (...) {
    found = false;
  }
  tiffSource = false;
  return found;
}

// The directories of a .tif, .tiff or .nef file are read from IFD0 at file offset 8, the usual
// place, whatever offset the header names.
bool TImageReader::ReadTiffHeader(TBufferedFile& file) {
  const std::string order = file.Read(2);
  if (order != "II" && order != "MM") return false;
  file.Read(6);
  DecodeTiffDirectories(file, order == "MM", 8);
  return true;
}

// Position p of the buffer holds file offset p + start - 1. Offsets count from the file's start,
// so the base is 1 - start; the data length makes the walk's size test end at the buffer's end.
bool TImageReader::DecodeTiffDirectories(TBufferedFile& file, bool bigEndianOrder, std::uint32_t firstDirectory) {
  constexpr std::uint32_t kHeaderSize = 8;
  constexpr std::uint32_t kHalfBuffer = kTiffBufferSize / 2;
  if (firstDirectory > kFarthestTiffDirectory) return false;
  const std::uint32_t start = firstDirectory > kHeaderSize + kHalfBuffer ? firstDirectory - kHalfBuffer : kHeaderSize;
  file.Skip(start - kHeaderSize);
  const std::int64_t base = 1 - std::int64_t{start};
  const std::int64_t length = std::int64_t{kTiffBufferSize} + start - kHeaderSize;
  tSection& slot = sections[1];
  slot.bytes = file.Read(kTiffBufferSize);
  sectionCount = 1;
  exifSection = &slot;
  exifInfo = std::make_unique<TExifInfo>(*this, listMode);
  exifInfo->tiffSource = true;
  exifInfo->listing.clear();
  SetBuffer(slot.bytes);
  exifInfo->SetBuffer(slot.bytes);
  exifInfo->bigEndian = bigEndianOrder;
  exifInfo->WalkDirectory(std::int64_t{firstDirectory} + base, base, length, kMainDirectory);
  exifInfo->DeriveFocalLength();
  return true;
}

}  // namespace kalvero

#include "metadata/exif_info.h"

#include <algorithm>
#include <cmath>

#include "metadata/image_reader.h"
#include "metadata/tag_catalogue.h"
#include "metadata/text_format.h"
#include "metadata/value_format.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

// A directory holds a 16-bit entry count, 12-byte entries and a 32-bit link to the next one:
//   count | tag(2) type(2) count(4) value-or-offset(4) | ... | next directory offset(4)
constexpr std::int64_t kEntrySize = 12;

// The diagonal of the 36 x 24 mm frame of 35 mm film.
constexpr double kFilmDiagonal = 43.26661531;

constexpr std::size_t kMakeLength = 32;
constexpr std::size_t kModelLength = 40;
constexpr std::size_t kVersionLength = 6;
constexpr std::int64_t kCommentPrefix = 8;

bool Lists(int listMode) { return listMode == 2 || listMode == 255; }

std::int64_t Rounded(double value) { return std::llround(value); }

// Millimetres per resolution unit (2 inch, 3 centimetre); 0 for any other unit.
double MillimetresPerUnit(std::int64_t unit) { return unit == 2 ? 25.4 : unit == 3 ? 10.0 : 0.0; }

// Holds a directory on the stack of open directories while it is walked, and takes it off on
// every road out of the walk, an exception included, so that a later pointer may walk it again.
class TOpenDirectory {
 public:
  TOpenDirectory(std::vector<std::int64_t>& open, std::int64_t start) : open_(open) { open_.push_back(start); }
  TOpenDirectory(const TOpenDirectory&) = delete;
  TOpenDirectory& operator=(const TOpenDirectory&) = delete;
  ~TOpenDirectory() { open_.pop_back(); }

 private:
  std::vector<std::int64_t>& open_;
};

}  // namespace

struct TExifInfo::TEntryValue {
  std::int64_t position = 0;  // of the entry
  std::uint16_t tag = 0;
  std::uint16_t format = 0;
  std::uint64_t byteCount = 0;
  std::int64_t valuePosition = 0;
  std::string_view raw;  // the value's bytes, cut at the end of the buffer
};

TExifInfo::TExifInfo(TImageReader& parentReader, int mode) : parent(parentReader), listMode(mode) {
  MainCatalogue();
  // Room for a camera's usual entries, so that neither grows entry by entry.
  if (listMode == 255) tagList.reserve(128);
  if (listMode == 2 || listMode == 255) listing.reserve(4096);
  openDirectories_.reserve(kMaxDepth);
}

void TExifInfo::RejectDirectory() { parent.errorText = "Illegally sized directory"; }

bool TExifInfo::TakeWork(std::uint64_t bytes) {
  if (bytes > remainingWork_) {
    remainingWork_ = 0;
    return false;
  }
  remainingWork_ -= bytes;
  return true;
}

void TExifInfo::WalkDirectory(std::int64_t start, std::int64_t base, std::int64_t length, int kind) {
  if (openDirectories_.empty()) remainingWork_ = kWorkPerByte * buffer.size();
  // Only a directory that is open further up refuses the pointer: that ends every loop, while a
  // directory reached again after its walk is walked again; the work budget bounds the repeats.
  const bool open = std::ranges::find(openDirectories_, start) != openDirectories_.end();
  if (open || openDirectories_.size() >= static_cast<std::size_t>(kMaxDepth)) return;
  if (!Holds(start, 2)) return RejectDirectory();
  const std::uint16_t count = Read16(start);
  const std::int64_t size = 2 + kEntrySize * count;
  if (size > base + length || !Holds(start, static_cast<std::uint64_t>(size)) || !TakeWork(size))
    return RejectDirectory();
  RecordThumbnail(start + size, base, length, kind);
  const TOpenDirectory walking(openDirectories_, start);
  WalkEntries(start, count, base, length, kind);
}

void TExifInfo::WalkEntries(std::int64_t start, std::uint16_t count, std::int64_t base, std::int64_t length, int kind) {
  for (std::int64_t i = 0; i < count; ++i) {
    if (!WalkEntry(start + 2 + kEntrySize * i, base, length, kind)) return RejectDirectory();
  }
}

void TExifInfo::RecordThumbnail(std::int64_t link, std::int64_t base, std::int64_t length, int kind) {
  if (kind != kMainDirectory || thumbnailStart != 0 || tiffSource || !Holds(link, 4)) return;
  thumbnailStart = Read32(link);
  thumbnailLength = base + length - thumbnailStart;
}

bool TExifInfo::WalkEntry(std::int64_t position, std::int64_t base, std::int64_t length, int kind) {
  TEntryValue value;
  value.position = position;
  value.tag = Read16(position);
  value.format = Read16(position + 2);
  value.byteCount = std::uint64_t{BytesPerComponent(value.format)} * Read32(position + 4);
  if (value.byteCount == 0) return true;
  value.valuePosition = value.byteCount <= 4 ? position + 8 : std::int64_t{Read32(position + 8)} + base;
  value.raw = Bytes(value.valuePosition, value.byteCount);
  if (!TakeWork(value.raw.size())) return false;
  std::string text;
  TTagEntry entry;
  if (Lists(listMode)) {
    entry = FindTagById(value.tag, kind);
    text = DisplayText(value, entry);
    listing.append("\r\n").append(entry.description).append(" = ").append(text);
  }
  ApplyTagAction(value, text, base, length);
  if (listMode == 255) {
    entry.size = static_cast<std::int64_t>(value.raw.size());
    entry.text = std::move(text);
    entry.raw = std::move(value.raw);
    entry.position = value.valuePosition;
    entry.format = value.format;
    try {
      AddTag(std::move(entry));
    } catch (const std::exception&) {
      // A tag list that cannot grow loses the entry; the fields of the walk stay right.
    }
  }
  return true;
}

std::string TExifInfo::DisplayText(const TEntryValue& value, const TTagEntry& entry) {
  std::string text;
  if (value.format == 2) {
    // The value without its last byte, the terminating zero of a well-formed text.
    text = Bytes(value.valuePosition, value.byteCount - 1);
  } else if (value.format == 7) {
    text = "\"" + std::string(value.raw.substr(0, value.raw.find('\0'))) + "\"";
  } else {
    text = FormatValue(value.raw, value.format, entry.codes, entry.formatString, bigEndian);
  }
  text = entry.tag != 0 && entry.decoder != nullptr ? entry.decoder(text) : Printable(text);
  if (value.tag == 0x9286) {
    const std::int64_t commentLength = static_cast<std::int64_t>(value.byteCount) - kCommentPrefix - 1;
    userComment = TrimControl(Bytes(value.valuePosition + kCommentPrefix, std::max<std::int64_t>(commentLength, 0)));
    userCommentPosition = value.valuePosition;
    userCommentLength = std::max<std::int64_t>(commentLength, 0);
    text = userComment;
  }
  return text;
}

void TExifInfo::ApplyTagAction(const TEntryValue& value, const std::string& text, std::int64_t base, std::int64_t length) {
  switch (value.tag) {
    case 0x0100:
    case 0xA002:
      width = Rounded(ToNumber(value.raw, value.format, bigEndian));
      widthPosition = value.position + 8;
      break;
    case 0x0101:
    case 0xA003:
      height = Rounded(ToNumber(value.raw, value.format, bigEndian));
      heightPosition = value.position + 8;
      break;
    case 0x010F: cameraMake = text.substr(0, kMakeLength); break;
    case 0x0110: cameraModel = text.substr(0, kModelLength); break;
    case 0x0132:
      dateTimePosition = value.valuePosition;
      dateTime = text.substr(0, kDateTextLength);
      break;
    case 0x9003:
      dateTimeOriginalPosition = value.valuePosition;
      dateTime = text.substr(0, kDateTextLength);
      break;
    case 0x9004: dateTimeDigitizedPosition = value.valuePosition; break;
    case 0x9000: exifVersion = value.raw.substr(0, kVersionLength); break;
    case 0x9209: flash = Rounded(ToNumber(value.raw, value.format, bigEndian)); break;
    case 0x8769:
    case 0x014A:
    case 0xA005: WalkSubDirectory(value.valuePosition, base, length, kMainDirectory); break;
    case 0x8825: WalkSubDirectory(value.valuePosition, base, length, kGpsDirectory); break;
    case 0x927C:
      // Vendor maker-note layouts are not decoded; the program needs none of their values.
      makerNote = value.raw;
      makerNotePosition = value.valuePosition;
      makerNoteDecoded = false;
      break;
    default: break;
  }
}

void TExifInfo::WalkSubDirectory(std::int64_t pointerPosition, std::int64_t base, std::int64_t length, int kind) {
  if (!Holds(pointerPosition, 4)) return RejectDirectory();
  try {
    WalkDirectory(std::int64_t{Read32(pointerPosition)} + base, base, length, kind);
  } catch (const std::exception&) {
    // A sub-directory that fails ends there; what it stored stays and this directory goes on.
  }
}

void TExifInfo::AddTag(TTagEntry entry) {
  if (entry.tag != 0) tagList.push_back(std::move(entry));
}

int TExifInfo::TagIndex(std::string_view name) const {
  for (std::size_t i = 0; i < tagList.size(); ++i) {
    if (SameTextAscii(tagList[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::string TExifInfo::TagText(std::string_view name) const {
  const int index = TagIndex(name);
  return index < 0 ? std::string() : tagList[static_cast<std::size_t>(index)].text;
}

double TExifInfo::TagValue(std::string_view name) const {
  const int index = TagIndex(name);
  if (index < 0) return 0;
  const TTagEntry& entry = tagList[static_cast<std::size_t>(index)];
  return ToNumber(entry.raw, entry.format, bigEndian);
}

void TExifInfo::DeriveFocalLength() {
  if (TagIndex("FocalLengthin35mmFilm") >= 0) return;
  std::int64_t unit = Rounded(TagValue("FocalPlaneResolutionUnit"));
  if (unit < 1) unit = Rounded(TagValue("ResolutionUnit"));
  const double millimetres = MillimetresPerUnit(unit);
  const double focalLength = TagValue("FocalLength");
  if (millimetres == 0 || focalLength == 0) return;
  auto sensorSide = [&](std::int64_t pixels, std::string_view resolutionTag) {
    const std::int64_t resolution = Rounded(TagValue(resolutionTag));
    return resolution > 0 ? static_cast<double>(pixels) * millimetres / static_cast<double>(resolution) : 0.0;
  };
  const double ccdWidth = sensorSide(width, "FocalPlaneXResolution");
  const double ccdHeight = sensorSide(height, "FocalPlaneYResolution");
  if (ccdWidth * ccdHeight <= 0) return;
  TTagEntry entry = MainCatalogue()[static_cast<std::size_t>(CatalogueIndex("FocalLengthIn35mmFilm"))];
  entry.text = FormatText("%5.2f", {focalLength * kFilmDiagonal / std::hypot(ccdWidth, ccdHeight)});
  tagList.push_back(entry);
  listing.append("\r\n").append(entry.description).append(" = ").append(entry.text);
}

}  // namespace kalvero

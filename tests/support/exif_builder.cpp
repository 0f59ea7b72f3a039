#include "tests/support/exif_builder.h"

namespace kalvero {

int TTiffBuilder::AddDirectory() {
  directories_.emplace_back();
  return static_cast<int>(directories_.size()) - 1;
}

TTiffBuilder& TTiffBuilder::Add(int directory, TTestEntry entry) {
  directories_.at(static_cast<std::size_t>(directory)).entries.push_back(std::move(entry));
  return *this;
}

TTiffBuilder& TTiffBuilder::Ascii(int directory, std::uint16_t tag, std::string_view text) {
  std::string value(text);
  value += '\0';
  const auto count = static_cast<std::uint32_t>(value.size());
  return Add(directory, {tag, 2, count, std::move(value)});
}

TTiffBuilder& TTiffBuilder::Short(int directory, std::uint16_t tag, std::uint16_t value) {
  return Add(directory, {tag, 3, 1, U16(value)});
}

TTiffBuilder& TTiffBuilder::Long(int directory, std::uint16_t tag, std::uint32_t value) {
  return Add(directory, {tag, 4, 1, U32(value)});
}

TTiffBuilder& TTiffBuilder::Rational(int directory, std::uint16_t tag, std::uint32_t numerator,
                                     std::uint32_t denominator) {
  return Add(directory, {tag, 5, 1, U32(numerator) + U32(denominator)});
}

TTiffBuilder& TTiffBuilder::Pointer(int directory, std::uint16_t tag, int target) {
  return Add(directory, {.tag = tag, .format = 4, .count = 1, .pointsTo = target});
}

TTiffBuilder& TTiffBuilder::Link(int directory, int target) {
  directories_.at(static_cast<std::size_t>(directory)).next = target;
  return *this;
}

TTiffBuilder& TTiffBuilder::Ifd0Offset(std::uint32_t offset) {
  ifd0Offset_ = offset;
  return *this;
}

TTiffBuilder& TTiffBuilder::Magic(std::uint16_t magic) {
  magic_ = magic;
  return *this;
}

TTiffBuilder& TTiffBuilder::AfterHeader(std::string bytes) {
  afterHeader_ = std::move(bytes);
  return *this;
}

std::string TTiffBuilder::U16(std::uint16_t value) const {
  const char high = static_cast<char>(value >> 8), low = static_cast<char>(value & 0xFF);
  return bigEndian_ ? std::string{high, low} : std::string{low, high};
}

std::string TTiffBuilder::U32(std::uint32_t value) const {
  const std::string high = U16(static_cast<std::uint16_t>(value >> 16));
  const std::string low = U16(static_cast<std::uint16_t>(value & 0xFFFF));
  return bigEndian_ ? high + low : low + high;
}

std::uint32_t TTiffBuilder::DirectoryOffset(int directory) const {
  std::uint32_t offset = 8 + static_cast<std::uint32_t>(afterHeader_.size());
  for (int i = 0; i < directory; ++i)
    offset += 2 + 12 * static_cast<std::uint32_t>(directories_[static_cast<std::size_t>(i)].entries.size()) + 4;
  return offset;
}

std::uint32_t TTiffBuilder::DataOffset() const { return DirectoryOffset(static_cast<int>(directories_.size())); }

std::string TTiffBuilder::Build() const {
  std::string block = (bigEndian_ ? "MM" : "II") + U16(magic_) + U32(ifd0Offset_.value_or(DirectoryOffset(0)));
  block += afterHeader_;
  std::string data;
  for (const TDirectory& directory : directories_) {
    block += U16(static_cast<std::uint16_t>(directory.entries.size()));
    for (const TTestEntry& entry : directory.entries) {
      block += U16(entry.tag) + U16(entry.format) + U32(entry.count);
      if (entry.fieldValue) {
        block += U32(*entry.fieldValue);
      } else if (entry.pointsTo >= 0) {
        block += U32(DirectoryOffset(entry.pointsTo));
      } else if (entry.value.size() <= 4) {
        block += entry.value + std::string(4 - entry.value.size(), '\0');
      } else {
        block += U32(DataOffset() + static_cast<std::uint32_t>(data.size()));
        data += entry.value;
      }
    }
    block += U32(directory.next >= 0 ? DirectoryOffset(directory.next) : 0);
  }
  return block + data;
}

std::string JpegSegment(std::uint8_t marker, std::string_view body) {
  const std::size_t length = body.size() + 2;
  std::string segment{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  return segment.append(body);
}

std::string ExifSegment(std::string_view tiff) {
  return JpegSegment(0xE1, std::string("Exif\0\0", 6) + std::string(tiff));
}

std::string JpegFile(const std::vector<std::string>& segments) {
  std::string file = "\xFF\xD8";
  for (const std::string& segment : segments) file += segment;
  return file + JpegSegment(0xDA, "scan header") + "\x12\x34\x56" + "\xFF\xD9";
}

std::string PictureTakenAt(std::string_view dateTime) {
  if (dateTime.empty()) return JpegFile({JpegSegment(0xE0, std::string("JFIF\0\1\1", 7))});
  return JpegFile({ExifSegment(TTiffBuilder().Ascii(0, 0x0132, dateTime).Build())});
}

std::string CameraTiff(bool bigEndian) {
  TTiffBuilder tiff(bigEndian);
  const int exif = tiff.AddDirectory();
  tiff.Ascii(0, 0x010F, "Vandrel").Ascii(0, 0x0110, "Model 7").Ascii(0, 0x0132, "2008:01:01 10:00:00");
  tiff.Pointer(0, 0x8769, exif);
  tiff.Ascii(exif, 0x9003, "2009:05:23 14:30:01").Ascii(exif, 0x9004, "2010:02:02 02:02:02");
  return tiff.Build();
}

}  // namespace kalvero

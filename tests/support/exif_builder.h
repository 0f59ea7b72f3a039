#pragma once

// Builds JPEG files and TIFF/Exif blocks byte by byte for the metadata reader's tests, in either
// byte order, so that each test states the structure it needs instead of shipping a binary.
//
// A TIFF block is laid out as: the 8-byte header, any bytes that a raw kind keeps after it, the
// directories in the order they were added (directory 0 is IFD0), then the values of more than 4
// bytes. Offsets count from the header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

struct TTestEntry {
  std::uint16_t tag = 0;
  std::uint16_t format = 0;
  std::uint32_t count = 0;
  std::string value = {};                   // the value's bytes, in the block's byte order
  int pointsTo = -1;                        // a directory whose offset is the value
  std::optional<std::uint32_t> fieldValue = std::nullopt;  // written as the value-or-offset field as it stands
};

class TTiffBuilder {
 public:
  explicit TTiffBuilder(bool bigEndian = false) : bigEndian_(bigEndian) { directories_.emplace_back(); }

  // A new, empty directory; answers its number.
  int AddDirectory();

  TTiffBuilder& Add(int directory, TTestEntry entry);
  // An ASCII value: the text and its terminating zero.
  TTiffBuilder& Ascii(int directory, std::uint16_t tag, std::string_view text);
  TTiffBuilder& Short(int directory, std::uint16_t tag, std::uint16_t value);
  TTiffBuilder& Long(int directory, std::uint16_t tag, std::uint32_t value);
  TTiffBuilder& Rational(int directory, std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator);
  // A pointer entry (type LONG) to another directory.
  TTiffBuilder& Pointer(int directory, std::uint16_t tag, int target);
  // The link of `directory` to the next one (the thumbnail directory after IFD0).
  TTiffBuilder& Link(int directory, int target);

  // The IFD0 offset written into the header; by default where IFD0 is laid out.
  TTiffBuilder& Ifd0Offset(std::uint32_t offset);
  // The magic number of the header (42 by default), written in the block's byte order.
  TTiffBuilder& Magic(std::uint16_t magic);
  // Bytes laid out between the header and IFD0, as a raw kind keeps them there.
  TTiffBuilder& AfterHeader(std::string bytes);

  std::string U16(std::uint16_t value) const;
  std::string U32(std::uint32_t value) const;

  // The offset at which `directory` is laid out.
  std::uint32_t DirectoryOffset(int directory) const;

  std::string Build() const;

 private:
  struct TDirectory {
    std::vector<TTestEntry> entries;
    int next = -1;
  };

  std::uint32_t DataOffset() const;

  bool bigEndian_;
  std::vector<TDirectory> directories_;
  std::optional<std::uint32_t> ifd0Offset_;
  std::uint16_t magic_ = 42;
  std::string afterHeader_;
};

// A marker segment: 0xFF, the code, the length (high byte first) and the body.
std::string JpegSegment(std::uint8_t marker, std::string_view body);

// An APP1 segment holding "Exif\0\0" and the TIFF block.
std::string ExifSegment(std::string_view tiff);

// Start of image, the segments, then a start of scan with some scan data and the end of image.
std::string JpegFile(const std::vector<std::string>& segments);

// A camera JPEG whose only date is DateTime in IFD0, written as given (its terminating zero
// added), or with no Exif segment at all when `dateTime` is empty.
std::string PictureTakenAt(std::string_view dateTime);

// The usual test block: IFD0 with Make, Model and DateTime, and an Exif directory with
// DateTimeOriginal and DateTimeDigitized.
std::string CameraTiff(bool bigEndian);

}  // namespace kalvero

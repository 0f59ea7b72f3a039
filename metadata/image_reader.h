#pragma once

// The entry object of the metadata reader. LoadFile reads one file's metadata: for a JPEG
// (".jpg", ".jpeg", ".jpe") it walks the marker segments in front of the scan data, keeps up to
// 20 of them in `sections` and decodes the first Exif segment (APP1) into `exifInfo`; for a
// TIFF-type file (".tif", ".tiff", ".nef") it decodes the directories at the start of the file.
// The image data is never read.
//
// The program's use: a reader with list mode 255 per file, LoadFile, and when ExifFound, the
// date text `exifInfo->dateTime`. LoadFile lets no failure escape: it answers false and tells
// why in `errorText`:
//   ""                          the file does not exist (or is no regular file)
//   "Not an EXIF file"          another extension, no JPEG start, or no Exif, IPTC or comment
//                               segment; also a failure inside the marker walk
//   "<none>"                    a metadata segment was found (LoadFile answers true)
//   "Illegal Exif construction" the file could not be opened, or another failure
//
// The end of the file ends the marker walk, which answers from what it found. A segment whose
// length field is below 2 (it cannot even hold itself) ends the walk too. A segment body cut
// short by the end of the file stays in its slot, shorter, and is not classified. The TIFF road
// reads up to 256000 bytes from file offset 8; what lies past the end of the file is absent.
//
// The readers of raw files use the two roads directly: ReadJpeg for a JPEG picture that a file
// embeds, and DecodeTiffDirectories for a raw file whose header they have checked themselves.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "metadata/endian_buffer.h"
#include "metadata/exif_info.h"
#include "platform/file_system.h"

namespace kalvero {

class TBufferedFile;

// One marker segment: `bytes` from the two length bytes (high byte first) to its end, without
// the 0xFF and the marker code.
struct tSection {
  std::string bytes;
  int marker = 0;  // the marker code, the byte after 0xFF
  int length = 0;  // the length field, which counts its own two bytes
};

class TImageReader;

// The IPTC segment's decoder; it only knows its reader.
class TIptcInfo {
 public:
  explicit TIptcInfo(TImageReader& parentReader) : parent(parentReader) {}
  TImageReader& parent;
};

class TImageReader : public TEndianBuffer {
 public:
  static constexpr int kMaxSections = 20;
  static constexpr std::size_t kTiffBufferSize = 256000;
  static constexpr std::uint32_t kFarthestTiffDirectory = 32 << 20;

  // `fileSystem` outlives the reader; `listMode` goes to every TExifInfo it creates (255: keep
  // the listing and the tag list).
  TImageReader(TFileSystem& fileSystem, int listMode);
  TImageReader(const TImageReader&) = delete;
  TImageReader& operator=(const TImageReader&) = delete;
  ~TImageReader();

  // Reads the metadata of the file at `path`; true when a metadata segment was found (a JPEG's
  // Exif, IPTC or comment segment, or any TIFF-type file with a byte-order mark). Never throws.
  bool LoadFile(const std::string& path);

  // True when an Exif segment was accepted; then `exifInfo` holds what was decoded.
  bool ExifFound() const { return exifSection != nullptr; }

  // Decodes this reader's buffer as an APP1 segment from its length field on: the identifier
  // "Exif\0", the byte order, then the directories from IFD0. Sets `errorText` on a wrong
  // identifier or byte order; throws what the directory walk lets through.
  void DecodeExifSegment();

  // Decodes `tiff`, a TIFF block from its byte-order mark on (the Exif item of a HEIF picture, a
  // metadata box of a raw file), as the Exif segment that would hold it, so that the date rules of
  // a JPEG apply: its first directory is walked as IFD0 is, and `exifInfo` keeps what earlier
  // blocks set, so the date of a later block's directory wins as a later directory's does in one
  // block. False when `tiff` has no TIFF header. A failure inside the walk ends it and keeps what
  // was set before; nothing is thrown.
  bool DecodeTiffBlock(std::string_view tiff);

  // Forgets the last file: no sections, no decoders, empty facts and status.
  void ResetState();

  // The JPEG road over the picture that `file` delivers from where it stands: the marker walk and
  // the Exif decoding of LoadFile; true when a metadata segment was found. Never throws.
  bool ReadJpeg(TBufferedFile& file);

  // The TIFF road after the 8-byte header, which `file` has just delivered: reads kTiffBufferSize
  // bytes (fewer at the end of the file) and walks IFD0 at file offset `firstDirectory` in the
  // given byte order. The bytes read start at file offset 8, or, for an IFD0 past the first half of
  // them, half of them before IFD0, the bytes before passed over; offsets outside the bytes read
  // hold nothing. An IFD0 beyond kFarthestTiffDirectory is not sought: answers false, having read
  // nothing. Sets `exifInfo` and the Exif section; throws what the directory walk lets through,
  // keeping what it found.
  bool DecodeTiffDirectories(TBufferedFile& file, bool bigEndianOrder, std::uint32_t firstDirectory);

  const int listMode;
  int sectionCount = 0;
  std::array<tSection, kMaxSections + 1> sections;  // used from slot 1
  tSection* exifSection = nullptr;
  tSection* iptcSection = nullptr;
  tSection* commentSection = nullptr;  // the last comment
  tSection* app0Section = nullptr;     // the last APP0
  std::string filePath;
  double fileTime = 0;  // last write, UTC, in days since 1899-12-30
  std::uint32_t fileLength = 0;  // low 32 bits of the size
  std::string errorText;
  std::unique_ptr<TExifInfo> exifInfo;
  std::unique_ptr<TIptcInfo> iptcInfo;
  bool tiffSource = false;

 private:
  void ReadFileFacts(const std::string& path, const TFileFacts& facts);
  bool WalkMarkers(TBufferedFile& file);
  // Reads the next segment into the next slot; false when the walk ends there.
  bool ReadSection(TBufferedFile& file, bool& complete);
  // Takes note of a complete segment; false when it ends the walk.
  bool ClassifySection(tSection& slot);
  void AcceptExifSection(tSection& slot);
  bool ReadTiff(TBufferedFile& file);
  bool ReadTiffHeader(TBufferedFile& file);

  TFileSystem& fileSystem_;
};

}  // namespace kalvero

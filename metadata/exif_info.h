#pragma once

// The decoder of an Exif block: walks its TIFF directories (TIFF 6.0, section 2; Exif 2.3, 4.6)
// depth first and keeps the values the program knows in fields, above all the picture's date
// text `dateTime`. In list modes 2 and 255 every entry also gets a display text and a line in
// `listing`; in list mode 255 the entries known to the catalogue go into `tagList`.
//
// The walk never reads outside the buffer. A directory that does not fit (its entries past the
// data length or past the end of the buffer, or its start unreadable) is skipped and reported
// through the parent's `errorText` as "Illegally sized directory". A pointer to a directory that
// is being walked (itself or one of the directories that lead to it), or one deeper than
// kMaxDepth, is skipped silently; that ends every loop. A directory whose walk has returned is
// forgotten, so a later pointer to it walks it again and its values are met again. The walk stops
// once it has looked at kWorkPerByte times as many bytes as the buffer holds, which no well-formed
// block comes near but overlapping or repeatedly named hostile directories would.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/endian_buffer.h"
#include "metadata/tag_entry.h"

namespace kalvero {

// The longest date text the reader delivers, in bytes.
inline constexpr std::size_t kDateTextLength = 20;

class TImageReader;

class TExifInfo : public TEndianBuffer {
 public:
  static constexpr int kMaxDepth = 16;
  static constexpr std::uint64_t kWorkPerByte = 8;

  // `parent` receives the error texts and outlives this object. The first construction in the
  // process builds the tag catalogue's display names.
  TExifInfo(TImageReader& parent, int listMode);
  TExifInfo(const TExifInfo&) = delete;
  TExifInfo& operator=(const TExifInfo&) = delete;

  // Walks the directory whose entry count lies at position `start`. An offset o counted from
  // the TIFF header lies at position o + `base`; `length` is the data length of the size test;
  // `kind` is kMainDirectory or kGpsDirectory. Pointer entries are followed at their place, each
  // inside a guard that swallows failures; a decoder that cannot read its value throws
  // EDecodeError out of the walk, keeping every field set before.
  void WalkDirectory(std::int64_t start, std::int64_t base, std::int64_t length, int kind);

  // Without "FocalLengthin35mmFilm" among the tags, adds it as computed from the focal length,
  // the focal-plane resolution and the picture size, when all of them are known.
  void DeriveFocalLength();

  // Appends `entry` to `tagList` unless its tag is 0.
  void AddTag(TTagEntry entry);

  // The index of the first tag list entry whose name equals `name` (A-Z without regard to
  // case), or -1; its text ("" if none); the number of its value (0 if none).
  int TagIndex(std::string_view name) const;
  std::string TagText(std::string_view name) const;
  double TagValue(std::string_view name) const;

  std::size_t tagCount() const { return tagList.size(); }

  TImageReader& parent;
  int listMode;
  std::vector<TTagEntry> tagList;
  std::string exifVersion;  // at most 6 bytes
  std::string cameraMake;   // at most 32 bytes
  std::string cameraModel;  // at most 40 bytes
  std::string dateTime;     // at most 20 bytes; the last DateTime or DateTimeOriginal met
  std::int64_t height = 0, width = 0;
  std::int64_t heightPosition = 0, widthPosition = 0;
  std::int64_t flash = 0;
  std::string makerNote;
  std::int64_t makerNotePosition = 0;
  bool tiffSource = false;
  std::string userComment;
  std::int64_t userCommentPosition = 0, userCommentLength = 0;
  std::int64_t dateTimePosition = 0, dateTimeOriginalPosition = 0, dateTimeDigitizedPosition = 0;
  // IFD0's link to the next (thumbnail) directory and the bytes from there to the data end;
  // recorded only, the thumbnail directory is never walked.
  std::int64_t thumbnailStart = 0, thumbnailLength = 0;
  std::string listing;
  std::string makerNoteListing;
  bool makerNoteDecoded = false;

 private:
  struct TEntryValue;

  void WalkEntries(std::int64_t start, std::uint16_t count, std::int64_t base, std::int64_t length, int kind);
  // False once the walk has used up its work.
  bool WalkEntry(std::int64_t position, std::int64_t base, std::int64_t length, int kind);
  void RecordThumbnail(std::int64_t link, std::int64_t base, std::int64_t length, int kind);
  std::string DisplayText(const TEntryValue& value, const TTagEntry& entry);
  void ApplyTagAction(const TEntryValue& value, const std::string& text, std::int64_t base, std::int64_t length);
  void WalkSubDirectory(std::int64_t pointerPosition, std::int64_t base, std::int64_t length, int kind);
  void RejectDirectory();
  bool TakeWork(std::uint64_t bytes);

  // The directories being walked, outermost first; their number is the walk's depth.
  std::vector<std::int64_t> openDirectories_;
  std::uint64_t remainingWork_ = 0;
};

}  // namespace kalvero

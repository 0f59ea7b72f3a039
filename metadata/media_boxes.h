#pragma once

// The box structure shared by HEIF pictures, CR3 raw files and videos, and the one bounded walker
// that the date readers of these files go through.
//
// A box is   size(4) type(4) [largesize(8) when size is 1] [extended type(16) when type is uuid]
// then its payload; size counts the whole box, 0 means "to the end of what holds it". Sizes are
// 64-bit and every box must lie inside its parent (the file, for the top level): a box that does
// not is a fault of the whole file, not a place to stop quietly.
//
// The walker reads only what a reader asks for: box headers, and the payloads of the few boxes
// that hold the date, never the media data. Its budget holds for the whole file, so no input
// makes it read much or walk long: 256 boxes found in the file (each may cost a read), 4096 found
// in payloads read before (a picture lists an item info box per tile, and a panorama has hundreds
// of tiles), and 1 MiB taken from the file. A reader goes down a fixed path of known boxes, so the
// nesting it follows is no deeper than that path.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/buffered_file.h"
#include "metadata/media_date.h"
#include "platform/file_system.h"

namespace kalvero {

struct TBox {
  std::string type;          // the four characters of its type
  std::string extendedType;  // the 16 bytes after the type of a uuid box; empty for the others
  std::uint64_t offset = 0;  // of the payload: in the file, or in the bytes the box was found in
  std::uint64_t size = 0;    // of the payload
};

// Reads big-endian numbers and four-character codes from bytes in memory, front to back. Once a
// read would go past the end, every read answers none.
class TByteCursor {
 public:
  explicit TByteCursor(std::string_view bytes) : bytes_(bytes) {}

  // An unsigned number of `width` bytes (0 to 8; 0 answers 0).
  std::optional<std::uint64_t> Number(std::size_t width);
  std::optional<std::string_view> Take(std::size_t count);
  // Moves on by `count` bytes; false when fewer are left.
  bool Skip(std::uint64_t count);

  std::string_view Rest() const { return bytes_.substr(position_); }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

class TBoxWalker {
 public:
  static constexpr int kMaxFileBoxes = 256;
  static constexpr int kMaxPayloadBoxes = 4096;
  static constexpr std::uint64_t kMaxBytes = 1024 * 1024;

  TBoxWalker(TReadableFile& file, std::uint64_t fileSize) : reader_(file), fileSize_(fileSize) {}

  // The boxes that lie in the file from `begin` to `end`, in order, up to and including the first
  // of type `until` (all of them for an empty `until`). None when a box leaves the range or the
  // file, or the budget runs out; `fault` then says why.
  std::optional<std::vector<TBox>> FileBoxes(std::uint64_t begin, std::uint64_t end, std::string_view until = {});

  // The boxes that fill `bytes` (a payload read before), their offsets counted in `bytes`; none,
  // with `fault` set, as for FileBoxes.
  std::optional<std::vector<TBox>> Boxes(std::string_view bytes);

  // `count` bytes of the file from `offset` on. None, with `fault` set, when they lie outside the
  // file or would exceed the budget.
  std::optional<std::string> Read(std::uint64_t offset, std::uint64_t count);

  // The type of the file's first box, so that a file of another kind is told apart before the
  // sizes of its boxes are examined; empty when the file is shorter than a box header.
  std::string FirstType();

  // A payload found by FileBoxes, or none with `fault` set.
  std::optional<std::string> Payload(const TBox& box) { return Read(box.offset, box.size); }

  // Sets `fault` (when not yet set) and answers none, for a reader's own findings.
  std::nullopt_t Fail(std::string_view reason);

  // Why the file is not one of its kind; empty while nothing was wrong.
  std::string fault;

 private:
  // The box whose header starts `header` (at least 8 bytes, more when it has them) with `room`
  // bytes from its start to the end of its parent; its offset is counted from the header's start.
  std::optional<TBox> ParseHeader(std::string_view header, std::uint64_t room);
  // Counts a box against `left`; false, with the fault set, once none is left.
  bool TakeBox(int& left);

  TBufferedFile reader_;
  std::uint64_t fileSize_;
  int fileBoxesLeft_ = kMaxFileBoxes;
  int payloadBoxesLeft_ = kMaxPayloadBoxes;
};

// Finds the first box of `type` among `boxes`.
const TBox* FindBox(const std::vector<TBox>& boxes, std::string_view type);

// The answer for a file that is not of its kind.
TMediaDate Unfit(std::string reason);

// Opens `path` and runs `read` over a walker of the whole file. The walker's fault, when `read`
// left one, makes the file unfit; so does a file that cannot be opened, or any failure inside,
// which never leaves this function.
TMediaDate ReadBoxFile(TFileSystem& fileSystem, const std::string& path,
                       const std::function<TMediaDate(TBoxWalker& walker, std::uint64_t fileSize)>& read);

// The date that the TIFF blocks `blocks` hold, decoded one after the other as the directories of
// one Exif segment (TImageReader::DecodeTiffBlock); none when one of them has no TIFF header.
std::optional<std::string> TiffBlocksDate(TFileSystem& fileSystem, std::initializer_list<std::string_view> blocks);

}  // namespace kalvero

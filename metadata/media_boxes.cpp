#include "metadata/media_boxes.h"

#include <algorithm>

#include "metadata/image_reader.h"

namespace kalvero {
namespace {

constexpr std::uint64_t kHeaderSize = 8;
// The longest header: size, type, largesize and extended type.
constexpr std::uint64_t kLongestHeader = 32;
constexpr std::size_t kExtendedTypeSize = 16;

constexpr std::string_view kUnfitting = "the boxes do not fit";

// A few zero bytes too short for a box may close a list of boxes (QuickTime ends some that way).
bool ClosingZeros(std::string_view bytes) {
  return bytes.size() < kHeaderSize && std::ranges::all_of(bytes, [](char c) { return c == '\0'; });
}

}  // namespace

std::optional<std::uint64_t> TByteCursor::Number(std::size_t width) {
  const std::optional<std::string_view> bytes = width <= 8 ? Take(width) : std::nullopt;
  if (!bytes) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : *bytes) value = (value << 8) | static_cast<unsigned char>(c);
  return value;
}

std::optional<std::string_view> TByteCursor::Take(std::size_t count) {
  if (failed_ || count > bytes_.size() - position_) {
    failed_ = true;
    return std::nullopt;
  }
  const std::string_view taken = bytes_.substr(position_, count);
  position_ += count;
  return taken;
}

bool TByteCursor::Skip(std::uint64_t count) {
  if (failed_ || count > bytes_.size() - position_) {
    failed_ = true;
    return false;
  }
  position_ += static_cast<std::size_t>(count);
  return true;
}

std::nullopt_t TBoxWalker::Fail(std::string_view reason) {
  if (fault.empty()) fault = reason;
  return std::nullopt;
}

bool TBoxWalker::TakeBox(int& left) {
  if (left == 0) {
    Fail("too many boxes");
    return false;
  }
  --left;
  return true;
}

std::optional<TBox> TBoxWalker::ParseHeader(std::string_view header, std::uint64_t room) {
  TByteCursor cursor(header);
  const std::optional<std::uint64_t> size32 = cursor.Number(4);
  const std::optional<std::string_view> type = cursor.Take(4);
  if (!size32 || !type) return Fail(kUnfitting);
  TBox box;
  box.type = *type;
  std::uint64_t size = *size32 == 0 ? room : *size32;
  if (*size32 == 1) {
    const std::optional<std::uint64_t> largeSize = cursor.Number(8);
    if (!largeSize) return Fail(kUnfitting);
    size = *largeSize;
  }
  if (box.type == "uuid") {
    const std::optional<std::string_view> extended = cursor.Take(kExtendedTypeSize);
    if (!extended) return Fail(kUnfitting);
    box.extendedType = *extended;
  }
  const std::uint64_t headerSize = header.size() - cursor.Rest().size();
  if (size < headerSize || size > room) return Fail(kUnfitting);
  box.offset = headerSize;
  box.size = size - headerSize;
  return box;
}

std::optional<std::vector<TBox>> TBoxWalker::FileBoxes(std::uint64_t begin, std::uint64_t end,
                                                       std::string_view until) {
  if (begin > end || end > fileSize_) return Fail(kUnfitting);
  std::vector<TBox> boxes;
  for (std::uint64_t position = begin; position < end;) {
    const std::uint64_t room = end - position;
    const std::optional<std::string> header = Read(position, std::min(room, kLongestHeader));
    if (!header) return std::nullopt;
    if (ClosingZeros(*header)) break;
    if (!TakeBox(fileBoxesLeft_)) return std::nullopt;
    std::optional<TBox> box = ParseHeader(*header, room);
    if (!box) return std::nullopt;
    box->offset += position;
    position = box->offset + box->size;
    boxes.push_back(std::move(*box));
    if (!until.empty() && boxes.back().type == until) break;
  }
  return boxes;
}

std::optional<std::vector<TBox>> TBoxWalker::Boxes(std::string_view bytes) {
  std::vector<TBox> boxes;
  for (std::uint64_t position = 0; position < bytes.size();) {
    const std::string_view rest = bytes.substr(static_cast<std::size_t>(position));
    if (ClosingZeros(rest)) break;
    if (!TakeBox(payloadBoxesLeft_)) return std::nullopt;
    std::optional<TBox> box = ParseHeader(rest.substr(0, kLongestHeader), rest.size());
    if (!box) return std::nullopt;
    box->offset += position;
    position = box->offset + box->size;
    boxes.push_back(std::move(*box));
  }
  return boxes;
}

std::optional<std::string> TBoxWalker::Read(std::uint64_t offset, std::uint64_t count) {
  if (offset > fileSize_ || count > fileSize_ - offset) return Fail(kUnfitting);
  if (count > kMaxBytes - std::min(kMaxBytes, reader_.Fetched())) return Fail("the boxes are too large to read");
  if (!reader_.SeekTo(offset)) return Fail("the file cannot be read");
  std::string bytes = reader_.Read(static_cast<std::size_t>(count));
  // A file that shrank since it was opened, or a failed read, leaves the boxes unread.
  if (bytes.size() != count) return Fail("the file cannot be read");
  return bytes;
}

std::string TBoxWalker::FirstType() {
  const std::optional<std::string> header = Read(0, std::min(fileSize_, kHeaderSize));
  return header && header->size() == kHeaderSize ? header->substr(4) : std::string();
}

const TBox* FindBox(const std::vector<TBox>& boxes, std::string_view type) {
  const auto found = std::ranges::find(boxes, type, &TBox::type);
  return found == boxes.end() ? nullptr : &*found;
}

TMediaDate Unfit(std::string reason) { return TMediaDate{.dateText = {}, .unfitReason = std::move(reason)}; }

TMediaDate ReadBoxFile(TFileSystem& fileSystem, const std::string& path,
                       const std::function<TMediaDate(TBoxWalker& walker, std::uint64_t fileSize)>& read) {
  try {
    std::error_code error;
    const std::unique_ptr<TReadableFile> file = fileSystem.OpenRead(path, error);
    if (!file) return Unfit("the file cannot be opened");
    const std::uint64_t fileSize = file->Facts().size;
    TBoxWalker walker(*file, fileSize);
    TMediaDate date = read(walker, fileSize);
    if (date.unfitReason.empty() && !walker.fault.empty()) return Unfit(walker.fault);
    return date;
  } catch (...) {
    return Unfit("the file cannot be read");
  }
}

std::optional<std::string> TiffBlocksDate(TFileSystem& fileSystem, std::initializer_list<std::string_view> blocks) {
  // List mode 255 is the mode in which the directory walk forms the date text, as for a JPEG.
  TImageReader reader(fileSystem, 255);
  for (const std::string_view block : blocks) {
    if (!reader.DecodeTiffBlock(block)) return std::nullopt;
  }
  return reader.exifInfo ? reader.exifInfo->dateTime : std::string();
}

}  // namespace kalvero

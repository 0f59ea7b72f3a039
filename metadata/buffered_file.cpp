#include "metadata/buffered_file.h"

#include <algorithm>
#include <span>

namespace kalvero {
namespace {

// Reads up to `count` bytes and appends them to `into`; answers how many came.
std::size_t AppendFromFile(TReadableFile& file, std::string& into, std::size_t count) {
  const std::size_t old = into.size();
  into.resize(old + count);
  const std::size_t got = std::min(file.Read(std::as_writable_bytes(std::span(into.data() + old, count))), count);
  into.resize(old + got);
  return got;
}

}  // namespace

bool TBufferedFile::Refill() {
  chunkStart_ += chunkSize_;
  position_ = 0;
  chunkSize_ = std::min(file_.Read(std::as_writable_bytes(std::span(chunk_.get(), kChunkSize))), kChunkSize);
  fetched_ += chunkSize_;
  return chunkSize_ > 0;
}

bool TBufferedFile::SeekTo(std::uint64_t offset) {
  if (offset >= chunkStart_ && offset - chunkStart_ <= chunkSize_) {
    position_ = static_cast<std::size_t>(offset - chunkStart_);
    return true;
  }
  chunkStart_ = offset;
  chunkSize_ = position_ = 0;
  return file_.SeekTo(offset);
}

std::optional<std::uint8_t> TBufferedFile::ReadByte() {
  if (remaining_ == 0 || (position_ == chunkSize_ && !Refill())) return std::nullopt;
  --remaining_;
  return static_cast<std::uint8_t>(chunk_[position_++]);
}

std::string TBufferedFile::Read(std::size_t count) {
  count = static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining_));
  const std::size_t buffered = std::min(count, chunkSize_ - position_);
  std::string bytes(chunk_.get() + position_, buffered);
  position_ += buffered;
  const std::size_t missing = count - buffered;
  if (missing >= kChunkSize) {
    // The chunk is used up; the next one starts where this read ends.
    const std::size_t got = AppendFromFile(file_, bytes, missing);
    fetched_ += got;
    chunkStart_ += chunkSize_ + got;
    chunkSize_ = position_ = 0;
  } else if (missing > 0 && Refill()) {
    const std::size_t taken = std::min(missing, chunkSize_);
    bytes.append(chunk_.get(), taken);
    position_ = taken;
  }
  remaining_ -= bytes.size();
  return bytes;
}

std::uint64_t TBufferedFile::Skip(std::uint64_t count) {
  count = std::min(count, remaining_);
  std::uint64_t passed = 0;
  while (passed < count && (position_ < chunkSize_ || Refill())) {
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>(count - passed, chunkSize_ - position_));
    position_ += taken;
    passed += taken;
  }
  remaining_ -= passed;
  return passed;
}

}  // namespace kalvero

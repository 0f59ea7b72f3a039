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
  if (position_ == chunkSize_ && !Refill()) return std::nullopt;
  return static_cast<std::uint8_t>(chunk_[position_++]);
}

std::string TBufferedFile::Read(std::size_t count) {
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
  return bytes;
}

}  // namespace kalvero

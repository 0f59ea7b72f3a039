#include "metadata/buffered_file.h"

#include <algorithm>
#include <span>

namespace kalvero {
namespace {

// Reads up to `count` bytes and appends them to `into`.
void AppendFromFile(TReadableFile& file, std::string& into, std::size_t count) {
  const std::size_t old = into.size();
  into.resize(old + count);
  const std::size_t got = file.Read(std::as_writable_bytes(std::span(into.data() + old, count)));
  into.resize(old + std::min(got, count));
}

}  // namespace

bool TBufferedFile::Refill() {
  position_ = 0;
  chunkSize_ = file_.Read(std::as_writable_bytes(std::span(chunk_.get(), kChunkSize)));
  return chunkSize_ > 0;
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
    AppendFromFile(file_, bytes, missing);
  } else if (missing > 0 && Refill()) {
    const std::size_t taken = std::min(missing, chunkSize_);
    bytes.append(chunk_.get(), taken);
    position_ = taken;
  }
  return bytes;
}

}  // namespace kalvero

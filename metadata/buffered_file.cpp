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
  chunk_.clear();
  position_ = 0;
  AppendFromFile(file_, chunk_, kChunkSize);
  return !chunk_.empty();
}

std::optional<std::uint8_t> TBufferedFile::ReadByte() {
  if (position_ == chunk_.size() && !Refill()) return std::nullopt;
  return static_cast<std::uint8_t>(chunk_[position_++]);
}

std::string TBufferedFile::Read(std::size_t count) {
  const std::size_t buffered = std::min(count, chunk_.size() - position_);
  std::string bytes = chunk_.substr(position_, buffered);
  position_ += buffered;
  const std::size_t missing = count - buffered;
  if (missing >= kChunkSize) {
    AppendFromFile(file_, bytes, missing);
  } else if (missing > 0 && Refill()) {
    const std::size_t taken = std::min(missing, chunk_.size());
    bytes.append(chunk_, 0, taken);
    position_ = taken;
  }
  return bytes;
}

}  // namespace kalvero

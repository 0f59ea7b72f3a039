#pragma once

// Reads a file from front to back in large chunks, so that the marker walk, which takes a byte
// or two at a time, costs only a few reads per file. The end of the file and a failed read look
// alike: the answers just come up short. A limit makes the file end early, so that a part of a
// file (a picture that another file embeds) reads as a file of its own. A walk over boxes jumps
// with SeekTo, which stays inside the chunk when it can, and bounds its work by Fetched, the bytes
// taken from the file so far.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace kalvero {

class TBufferedFile {
 public:
  explicit TBufferedFile(TReadableFile& file) : file_(file) {}

  // The next byte; none at the end of the file.
  std::optional<std::uint8_t> ReadByte();

  // The next `count` bytes, or fewer when the file ends sooner.
  std::string Read(std::size_t count);

  // Passes over the next `count` bytes, reading them through chunk by chunk; answers how many it
  // passed, fewer when the file ends sooner.
  std::uint64_t Skip(std::uint64_t count);

  // From here on, the file ends after `count` more bytes at the latest (SeekTo leaves the count as
  // it is).
  void Limit(std::uint64_t count) { remaining_ = count; }

  // Goes on at `offset` bytes from the start of the file; false when the system refuses.
  bool SeekTo(std::uint64_t offset);

  // All bytes read from the file so far, those read ahead into the chunk included.
  std::uint64_t Fetched() const { return fetched_; }

 private:
  // Reads the next chunk of the file; false when nothing more came.
  bool Refill();

  static constexpr std::size_t kChunkSize = 16 * 1024;

  TReadableFile& file_;
  std::unique_ptr<char[]> chunk_ = std::make_unique_for_overwrite<char[]>(kChunkSize);
  std::size_t chunkSize_ = 0;  // bytes of `chunk_` that hold file data
  std::size_t position_ = 0;
  std::uint64_t remaining_ = UINT64_MAX;  // bytes that may still be delivered or passed over
  std::uint64_t chunkStart_ = 0;  // the file offset of the chunk's first byte
  std::uint64_t fetched_ = 0;
};

}  // namespace kalvero

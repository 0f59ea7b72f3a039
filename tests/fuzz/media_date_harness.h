#pragma once

// What the media date fuzz target runs on one input, shared with the unit test that replays its
// findings.

#include <cstddef>
#include <cstdint>
#include <string>

#include "metadata/media_date.h"
#include "platform/memory_file_system.h"

namespace kalvero {

// The reader that the first byte chooses (its value modulo 3: HEIF picture, video, CR3 raw file)
// on the bytes after it. The readers never throw; a fault or an escaping exception is a finding.
inline void ReadMediaDateFuzzInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("file", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  switch (data[0] % 3) {
    case 0: ReadHeifDate(fileSystem, "file"); break;
    case 1: ReadVideoDate(fileSystem, "file"); break;
    default: ReadCr3Date(fileSystem, "file"); break;
  }
}

}  // namespace kalvero

#pragma once

// What the fuzz targets run on one input, shared with the unit test that replays their findings.

#include <cstddef>
#include <cstdint>
#include <string>

#include "metadata/image_reader.h"
#include "metadata/value_format.h"
#include "platform/memory_file_system.h"

namespace kalvero {

// LoadFile of the input after its first byte, which chooses the road: odd for a TIFF-type file,
// even for a JPEG.
inline void LoadFileFuzzInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::string path = (data[0] & 1) != 0 ? "x.tif" : "x.jpg";
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile(path, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  TImageReader reader(fileSystem, 255);
  reader.LoadFile(path);
}

// The input as an APP1 segment from its length field on. A decoder that cannot read its value
// ends the decoding by design; any other exception is a finding.
inline void DecodeExifFuzzInput(const std::uint8_t* data, std::size_t size) {
  TMemoryFileSystem fileSystem;
  TImageReader reader(fileSystem, 255);
  reader.SetBuffer(std::string(reinterpret_cast<const char*>(data), size));
  try {
    reader.DecodeExifSegment();
  } catch (const EDecodeError&) {
  }
}

}  // namespace kalvero

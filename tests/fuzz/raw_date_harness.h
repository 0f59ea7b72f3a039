#pragma once

// What the raw date readers' fuzz target runs on one input, shared with the unit test that
// replays its committed inputs. The first byte chooses the reader: odd for .raf, even for the
// TIFF-based raw files; the rest is the file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "metadata/exif_info.h"
#include "metadata/media_date.h"
#include "platform/memory_file_system.h"

namespace kalvero {

// False when the answer is not one a reader may give: a date together with a reason, or a date
// text longer than the reader ever delivers.
inline bool ReadRawDateFuzzInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return true;
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("x.raw", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const TMediaDate date =
      (data[0] & 1) != 0 ? ReadRafDate(fileSystem, "x.raw") : ReadTiffRawDate(fileSystem, "x.raw");
  return (date.dateText.empty() || date.unfitReason.empty()) && date.dateText.size() <= kDateTextLength;
}

}  // namespace kalvero

#include "engine/exif_date.h"

#include "metadata/image_reader.h"

namespace kalvero {

std::string readdatefromexif(TFileSystem& fileSystem, const std::string& path) {
  // List mode 255 is the mode in which the directory walk forms the date text.
  TImageReader reader(fileSystem, 255);
  reader.LoadFile(path);
  return reader.ExifFound() && reader.exifInfo ? reader.exifInfo->dateTime : std::string();
}

TMediaDate ReadCaptureDate(TFileSystem& fileSystem, const std::string& path) {
  if (const TMediaKind* kind = MediaKindOf(path)) return kind->read(fileSystem, path);
  return {readdatefromexif(fileSystem, path), {}};
}

}  // namespace kalvero

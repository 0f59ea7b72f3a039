#include <algorithm>
#include <string_view>
#include <iostream>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "metadata/image_reader.h"
#include "platform/file_system.h"

namespace kalvero {

int ExifCommand(const std::vector<std::string>& files) {
  TFileSystem& fileSystem = NativeFileSystem();
  int status = kExitSuccess;
  for (const std::string& file : files) {
    if (!fileSystem.Exists(file)) status = kExitReported;
    TImageReader reader(fileSystem, 255);
    reader.LoadFile(file);
    const TExifInfo* exif = reader.ExifFound() ? reader.exifInfo.get() : nullptr;
    std::cout << "File: " << Escaped(file) << "\nExif found: " << (exif ? "yes" : "no")
              << "\nStatus: " << reader.errorText << "\n";
    if (exif) {
      std::cout << "Date: " << Escaped(exif->dateTime) << "\nMake: " << Escaped(exif->cameraMake)
                << "\nModel: " << Escaped(exif->cameraModel) << "\nWidth: " << exif->width
                << "\nHeight: " << exif->height << "\nListing:\n";
      // The listing puts CR LF before each entry; each entry is a line, and what it quotes from
      // the file is escaped.
      const std::string_view listing = exif->listing;
      for (std::size_t start = 0; start < listing.size();) {
        const std::size_t end = std::min(listing.find("\r\n", start), listing.size());
        if (end > start) std::cout << Escaped(listing.substr(start, end - start)) << "\n";
        start = end + 2;
      }
    }
    std::cout << "\n";
  }
  return status;
}

}  // namespace kalvero

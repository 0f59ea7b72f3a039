#include <iostream>

#include "app/cli/commands.h"
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
    std::cout << "File: " << file << "\nExif found: " << (exif ? "yes" : "no") << "\nStatus: " << reader.errorText
              << "\n";
    if (exif) {
      std::cout << "Date: " << exif->dateTime << "\nMake: " << exif->cameraMake << "\nModel: " << exif->cameraModel
                << "\nWidth: " << exif->width << "\nHeight: " << exif->height << "\nListing:\n"
                << exif->listing;
      if (!exif->listing.empty() && exif->listing.back() != '\n') std::cout << "\n";
    }
    std::cout << "\n";
  }
  return status;
}

}  // namespace kalvero

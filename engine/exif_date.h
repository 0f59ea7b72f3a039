#pragma once

#include <string>

#include "platform/file_system.h"

namespace kalvero {

// The date text a copy run uses for a picture: the EXIF date-time text (at most 20 bytes,
// possibly empty) when the file carries an Exif segment, else the empty text. A missing file, a
// folder or a file that cannot be read give the empty text; nothing is thrown.
std::string readdatefromexif(TFileSystem& fileSystem, const std::string& path);

}  // namespace kalvero

#pragma once

#include <string>

#include "metadata/media_date.h"
#include "platform/file_system.h"

namespace kalvero {

// The date text a copy run uses for a picture: the EXIF date-time text (at most 20 bytes,
// possibly empty) when the file carries an Exif segment, else the empty text. A missing file, a
// folder or a file that cannot be read give the empty text; nothing is thrown.
std::string readdatefromexif(TFileSystem& fileSystem, const std::string& path);

// The date of any file a run takes, by its extension: a raw file, HEIF picture or video through
// the reader of its kind, which may find it unfit; every other file as a JPEG picture.
TMediaDate ReadCaptureDate(TFileSystem& fileSystem, const std::string& path);

}  // namespace kalvero

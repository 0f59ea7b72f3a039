#pragma once

// The capture date of the files beside the JPEG pictures on a card: raw files, HEIF pictures and
// videos. Each reader takes only what it needs from the file's header and boxes (never the image or
// the media data), within a fixed budget of reads, boxes and directories, and never throws.

#include <string>

#include "platform/file_system.h"

namespace kalvero {

// What a file says about its date.
struct TMediaDate {
  // The date in the EXIF form "YYYY:MM:DD HH:MM:SS", as a run checks a JPEG's date text; empty when
  // the file holds none.
  std::string dateText;
  // Not empty when the file's header or boxes are not those of its kind: the file is not examined,
  // and this says why, in a short English phrase (such as "no TIFF header").
  std::string unfitReason;
};

// TIFF-based raw files (.cr2 .nef .nrw .arw .sr2 .dng .orf .pef .rw2 .srw), checked by their header,
// the TIFF magic variants of Olympus and Panasonic included.
TMediaDate ReadTiffRawDate(TFileSystem& fileSystem, const std::string& path);
// .raf: through the JPEG picture that the file embeds.
TMediaDate ReadRafDate(TFileSystem& fileSystem, const std::string& path);
// .cr3: through the CMT1 and CMT2 boxes of its moov/uuid box.
TMediaDate ReadCr3Date(TFileSystem& fileSystem, const std::string& path);
// .heic .heif .avif: through the Exif item of the meta box.
TMediaDate ReadHeifDate(TFileSystem& fileSystem, const std::string& path);
// .mov .mp4 .m4v .3gp: the QuickTime metadata creation date where present (its wall-clock time as
// written), else the movie header's time (UTC) in the local time zone in force.
TMediaDate ReadVideoDate(TFileSystem& fileSystem, const std::string& path);

}  // namespace kalvero

#pragma once

// The capture date of the files beside the JPEG pictures on a card: raw files, HEIF pictures and
// videos. Each reader takes only what it needs from the file's header and boxes (never the image or
// the media data), within a fixed budget of reads, boxes and directories, and never throws.

#include <span>
#include <string>
#include <string_view>

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
// the TIFF magic variants of Olympus and Panasonic included ("II*\0", "MM\0*", "IIRO", "IIRS",
// "MMOR", "IIU\0"; else unfit: "no TIFF header"). The directories are walked from the IFD0 that
// the header names, as the TIFF road of TImageReader walks them, within the 256000 bytes it reads
// (from offset 8 on, or around an IFD0 further in). An IFD0 inside the header, past the end of the
// file or beyond its first 32 MiB is unfit ("the first directory overlaps the header", "... lies
// past the end", "... lies too far in"), and so is, for both readers of raw files, a file that
// cannot be opened ("the file cannot be opened").
TMediaDate ReadTiffRawDate(TFileSystem& fileSystem, const std::string& path);
// .raf: through the JPEG picture that the file embeds, which the header ("FUJIFILMCCD-RAW ")
// locates by the big-endian offset and length at bytes 84 and 88; the marker walk of the JPEG road
// reads at most the first MiB of it. Unfit: "no RAF header", "the RAF header is cut short", "the
// JPEG overlaps the header", "the JPEG lies past the end", and "the JPEG lies too far in" (past
// the first MiB of the file, which is read front to back).
TMediaDate ReadRafDate(TFileSystem& fileSystem, const std::string& path);
// The three readers of box files (HEIF pictures, CR3 raw files, videos) share one walker: at most
// 256 boxes found in the file (4096 inside the payloads it read) and about 1 MiB read per file,
// the media data never read. Each of them finds a file
// unfit that cannot be opened or read ("the file cannot be opened", "the file cannot be read"),
// whose boxes leave their parent or the file ("the boxes do not fit"), or that needs more than the
// budget ("too many boxes", "the boxes are too large to read").

// .cr3: through the CMT1 and CMT2 boxes of its moov/uuid box, decoded as the directories of one
// Exif block: CMT2's DateTimeOriginal, else CMT1's DateTime. Unfit: "no ftyp box", "not a crx
// file", "no moov box", "no metadata uuid box", "no CMT boxes", "the CMT boxes are not TIFF".
TMediaDate ReadCr3Date(TFileSystem& fileSystem, const std::string& path);
// .heic .heif .avif: through the Exif item of the meta box (at file offsets, or in the meta box's
// idat box), decoded as a JPEG's Exif segment; no date without one. Unfit: "no ftyp box", "no meta
// box", "the item lies outside the file", "the item lies outside its data box", "the item
// locations cannot be read", "too many items", "the Exif item has too many parts".
TMediaDate ReadHeifDate(TFileSystem& fileSystem, const std::string& path);
// .mov .mp4 .m4v .3gp: the QuickTime metadata creation date where present (its wall-clock time as
// written), else the "©day" text of the user data (as written), else the movie header's time (UTC)
// in the local time zone in force; no date when that is 0. Unfit: "no movie boxes" (the first box is none a movie starts with), "no moov box".
TMediaDate ReadVideoDate(TFileSystem& fileSystem, const std::string& path);

// The groups a user takes or leaves together.
enum class TMediaGroup { Raw, Heif, Video };

// A further extension (lower case, with its dot), its group and the reader of its dates.
struct TMediaKind {
  std::string_view extension;
  TMediaGroup group;
  TMediaDate (*read)(TFileSystem& fileSystem, const std::string& path);
};

// Every kind, in the order in which a scan looks for them.
std::span<const TMediaKind> MediaKinds();

// The kind that the extension of `path` names, its letters A to Z folded; none for any other
// extension, the JPEG ones included.
const TMediaKind* MediaKindOf(std::string_view path);

}  // namespace kalvero

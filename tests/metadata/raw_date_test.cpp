#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "metadata/image_reader.h"
#include "metadata/media_date.h"
#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

const std::string kDto = "2009:05:23 14:30:01";
const std::string kMediaDir = KALVERO_MEDIA_DIR;

// CameraTiff's directories under the header of a raw kind: its magic number and the bytes that
// the kind keeps between the header and IFD0.
std::string RawTiff(bool bigEndian, std::uint16_t magic, std::string afterHeader = {}) {
  TTiffBuilder tiff(bigEndian);
  const int exif = tiff.AddDirectory();
  tiff.Magic(magic).AfterHeader(std::move(afterHeader));
  tiff.Ascii(0, 0x010F, "Vandrel").Ascii(0, 0x0132, "2008:01:01 10:00:00").Pointer(0, 0x8769, exif);
  tiff.Ascii(exif, 0x9003, kDto);
  return tiff.Build();
}

// The bytes of `block` with those from `at` on replaced by `bytes`.
std::string Patched(std::string block, std::size_t at, const std::string& bytes) {
  return block.replace(at, bytes.size(), bytes);
}

std::string Le32(std::uint32_t value) { return TTiffBuilder(false).U32(value); }
std::string Be32(std::uint32_t value) { return TTiffBuilder(true).U32(value); }

struct TRawCase {
  std::string name;
  std::string content;
  std::string dateText;
  std::string unfitReason;
};

const std::string kStandard = RawTiff(false, 42);
const std::string kCanon = RawTiff(false, 42, "CR\2\0" + Le32(16));
const std::string kPanasonic = RawTiff(false, 0x55, std::string(16, '\0'));
// Two dated directories, the header naming the second as IFD0.
std::string SecondDirectoryNamed() {
  TTiffBuilder tiff;
  const int second = tiff.AddDirectory();
  tiff.Ascii(0, 0x0132, "2001:01:01 01:01:01").Ascii(second, 0x0132, "2002:02:02 02:02:02");
  return tiff.Ifd0Offset(tiff.DirectoryOffset(second)).Build();
}

const std::string kFarIfd0 = RawTiff(false, 42, std::string(400000, '\0'));

const std::vector<TRawCase> kTiffRawCases = {
    {"StandardLittleEndian", kStandard, kDto, ""},
    {"StandardBigEndian", RawTiff(true, 42), kDto, ""},
    {"OlympusRO", RawTiff(false, 0x4F52), kDto, ""},
    {"OlympusRS", RawTiff(false, 0x5352), kDto, ""},
    {"OlympusOR", RawTiff(true, 0x4F52), kDto, ""},
    {"PanasonicIfd0At24", kPanasonic, kDto, ""},
    {"CanonIfd0At16", kCanon, kDto, ""},
    {"HeaderNamesTheSecondDirectory", SecondDirectoryNamed(), "2002:02:02 02:02:02", ""},
    {"NoDate", TTiffBuilder().Ascii(0, 0x010F, "Vandrel").Build(), "", ""},
    {"DecoderFailureKeepsTheDateBefore",
     TTiffBuilder().Ascii(0, 0x0132, "2008:01:01 10:00:00").Ascii(0, 0x9209, "x").Build(), "2008:01:01 10:00:00", ""},
    {"CutInTheExifDirectory", kStandard.substr(0, 60), "", ""},
    {"Ifd0FarIn", kFarIfd0, kDto, ""},
    {"Ifd0TooFarIn", RawTiff(false, 42, std::string(TImageReader::kFarthestTiffDirectory, '\0')), "",
     "the first directory lies too far in"},
    {"OlympusMagicInTheWrongOrder", RawTiff(true, 0x524F), "", "no TIFF header"},
    {"PanasonicBigEndian", RawTiff(true, 0x55), "", "no TIFF header"},
    {"OtherMagic", RawTiff(false, 43), "", "no TIFF header"},
    {"Jpeg", PictureTakenAt(kDto), "", "no TIFF header"},
    {"HeaderCutShort", kStandard.substr(0, 7), "", "no TIFF header"},
    {"Empty", "", "", "no TIFF header"},
    {"Ifd0InTheHeader", Patched(kStandard, 4, Le32(4)), "", "the first directory overlaps the header"},
    {"Ifd0AtTheLastByte", Patched(kStandard, 4, Le32(static_cast<std::uint32_t>(kStandard.size() - 1))), "",
     "the first directory lies past the end"},
    {"Ifd0FarPastTheEnd", Patched(kCanon, 4, Le32(0xFFFFFFFF)), "", "the first directory lies past the end"},
    {"Ifd0PastTheEndBigEndian", Patched(RawTiff(true, 0x4F52), 4, Be32(0x10000)), "",
     "the first directory lies past the end"},
};

class TiffRawDateTest : public testing::TestWithParam<TRawCase> {};

TEST_P(TiffRawDateTest, ReadsTheDateFromTheNamedFirstDirectory) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("a.raw", GetParam().content);
  const TMediaDate date = ReadTiffRawDate(fileSystem, "a.raw");
  EXPECT_EQ(date.dateText, GetParam().dateText);
  EXPECT_EQ(date.unfitReason, GetParam().unfitReason);
}

INSTANTIATE_TEST_SUITE_P(Files, TiffRawDateTest, testing::ValuesIn(kTiffRawCases), TCaseName());

// A .raf: its header, the embedded JPEG at `offset` (zeros between), the `length` the header
// names for it (its own by default), and some sensor data after it.
std::string Raf(const std::string& jpeg, std::uint32_t offset = 148, std::optional<std::uint32_t> length = {}) {
  std::string file = "FUJIFILMCCD-RAW 0201FF383501" + std::string(56, '\0');
  file += Be32(offset) + Be32(length.value_or(static_cast<std::uint32_t>(jpeg.size()))) + std::string(16, '\0');
  file.resize(offset, '\0');
  return file + jpeg + std::string(64, '\xFF');
}

const std::string kDatedJpeg = JpegFile({ExifSegment(CameraTiff(true))});

const std::vector<TRawCase> kRafCases = {
    {"JpegAfterTheDirectory", Raf(kDatedJpeg), kDto, ""},
    {"JpegRightAfterTheHeader", Raf(kDatedJpeg, 92), kDto, ""},
    {"JpegFarIn", Raf(kDatedJpeg, 700000), kDto, ""},
    {"JpegWithoutExif", Raf(PictureTakenAt("")), "", ""},
    {"NoJpeg", Raf(CameraTiff(false)), "", ""},
    {"LengthEndsInTheExifSegment", Raf(kDatedJpeg, 148, 40), "", ""},
    {"OtherMagic", Patched(Raf(kDatedJpeg), 0, "FUJIFILMCCD-RAW_"), "", "no RAF header"},
    {"Jpeg", kDatedJpeg, "", "no RAF header"},
    {"Empty", "", "", "no RAF header"},
    {"HeaderCutShort", Raf(kDatedJpeg).substr(0, 91), "", "the RAF header is cut short"},
    {"JpegInTheHeader", Raf(kDatedJpeg, 88), "", "the JPEG overlaps the header"},
    {"LengthPastTheEnd", Raf(kDatedJpeg, 148, 0xFFFFFFFF), "", "the JPEG lies past the end"},
    {"OffsetPastTheEnd", Patched(Raf(kDatedJpeg), 84, Be32(0xFFFFFFF0)), "", "the JPEG lies past the end"},
    {"JpegTooFarIn", Raf(kDatedJpeg, 1100000), "", "the JPEG lies too far in"},
};

class RafDateTest : public testing::TestWithParam<TRawCase> {};

TEST_P(RafDateTest, ReadsTheDateOfTheEmbeddedJpeg) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("a.raf", GetParam().content);
  const TMediaDate date = ReadRafDate(fileSystem, "a.raf");
  EXPECT_EQ(date.dateText, GetParam().dateText);
  EXPECT_EQ(date.unfitReason, GetParam().unfitReason);
}

INSTANTIATE_TEST_SUITE_P(Files, RafDateTest, testing::ValuesIn(kRafCases), TCaseName());

// Files made by make_raw_media.sh, with the date that exiftool reads from each and that the
// program takes: DateTimeOriginal where present, else ModifyDate.
struct TToolMadeCase {
  std::string file;
  std::string dateText;
};

TEST(RawDate, ToolMadeFilesGiveExiftoolsDate) {
  const std::vector<TToolMadeCase> cases = {
      {"dated.dng", "2019:07:14 09:10:11"},      {"undated.dng", ""},
      {"big-endian.pef", "2013:02:03 04:05:06"}, {"olympus-ro.orf", "2017:02:03 04:05:06"},
      {"olympus-rs.orf", "2015:12:31 23:59:59"}, {"olympus-or.orf", "2016:02:29 12:00:00"},
      {"ifd0-at-16.cr2", "2018:01:02 03:04:05"}, {"fuji.raf", "2012:11:10 09:08:07"},
  };
  for (const TToolMadeCase& tool : cases) {
    const std::string path = kMediaDir + "/" + tool.file;
    const TMediaDate date = tool.file.ends_with(".raf") ? ReadRafDate(NativeFileSystem(), path)
                                                        : ReadTiffRawDate(NativeFileSystem(), path);
    EXPECT_EQ(date.dateText, tool.dateText) << tool.file;
    EXPECT_EQ(date.unfitReason, "") << tool.file;
  }
}

// A file that cannot be opened is unfit; a large file is read only as far as the budget goes, in
// a few reads.
TEST(RawDate, ReadsOnlyWhatItMayAndOnlyFilesThatOpen) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("big.nef", kStandard + std::string(8 * 1024 * 1024, '\xFF'));
  fileSystem.AddFile("big.raf", Raf("\xFF\xD8" + std::string(4 * 1024 * 1024, '\xFF')));
  fileSystem.AddFile("locked.nef", kStandard);
  fileSystem.FailOpen("locked.nef", std::errc::permission_denied);
  EXPECT_EQ(ReadTiffRawDate(fileSystem, "big.nef").dateText, kDto);
  EXPECT_EQ(ReadRafDate(fileSystem, "big.raf").dateText, "");
  EXPECT_LE(fileSystem.usage.bytesRead, 256000u + 8 + 148 + 1024 * 1024 + 32 * 1024);
  EXPECT_EQ(ReadTiffRawDate(fileSystem, "locked.nef").unfitReason, "the file cannot be opened");
  EXPECT_EQ(ReadRafDate(fileSystem, "missing.raf").unfitReason, "the file cannot be opened");
}

}  // namespace
}  // namespace kalvero

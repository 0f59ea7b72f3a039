#include "metadata/media_date.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "tests/metadata/made_media.h"
#include "tests/support/box_builder.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

using TReader = TMediaDate (*)(TFileSystem&, const std::string&);

const std::string kOriginal = "2009:05:23 14:30:01";
const std::string kModified = "2008:01:01 10:00:00";
const std::string kCameraItem = ExifItem(CameraTiff(false));
const std::string kKeyDate = "2021:07:04 15:30:12";
const std::string kKeyText = "2021-07-04T15:30:12+0200";

// The older "©day" text of a movie's user data: its own box, or an item of the meta box's list.
std::string UserDataDay(std::string_view text, std::uint64_t size) {
  return Box("udta", Box("\xA9" "day", Be16(size) + Be16(0x55C4) + std::string(text)));
}
std::string ItemDay(std::string_view text) {
  const std::string handler = FullBox("hdlr", 0, Be32(0) + "mdir" + std::string(13, '\0'));
  const std::string day = Box("\xA9" "day", Box("data", Be32(1) + Be32(0) + std::string(text)));
  return Box("udta", FullBox("meta", 0, handler + Box("ilst", day)));
}
const std::string kUnfitting = "the boxes do not fit";

struct TMediaCase {
  std::string name;
  TReader reader;
  std::string content;
  std::string dateText;
  std::string unfitReason = {};
};

std::string Shaped(THeifShape shape) { return HeifFile(kCameraItem, shape); }

// A HEIF picture with `bytes` in place of its meta box's size and type.
std::string MetaSized(std::string bytes) {
  std::string file = HeifFile(kCameraItem);
  return file.replace(24, 8, bytes);
}

std::string Cmt(std::string_view type, std::string_view tiff) { return Box(type, tiff); }

const std::string kCmt1 = Cmt("CMT1", TTiffBuilder().Ascii(0, 0x0132, kModified).Build());
const std::string kCmt2 = Cmt("CMT2", TTiffBuilder(true).Ascii(0, 0x9003, kOriginal).Build());
const std::string kDatelessCmt2 = Cmt("CMT2", TTiffBuilder().Short(0, 0x8827, 100).Build());

std::string ManyFreeBoxesThenMovie() {
  std::string file = Box("ftyp", "qt  ");
  for (int i = 0; i < 300; ++i) file += Box("free", "");
  return file + Box("moov", QuickTimeMeta(kKeyText));
}

std::string NestedUserData(int depth) {
  std::string boxes = QuickTimeMeta(kKeyText);
  for (int level = 0; level < depth; ++level) boxes = Box("udta", boxes);
  return boxes;
}

const std::vector<TMediaCase> kCases = {
    // HEIF: the Exif item wherever iloc puts it, decoded by the JPEG rules.
    {"HeifCamera", ReadHeifDate, HeifFile(kCameraItem), kOriginal},
    {"HeifBigEndianOnlyDateTime", ReadHeifDate,
     HeifFile(ExifItem(TTiffBuilder(true).Ascii(0, 0x0132, kModified).Build())), kModified},
    {"HeifLocationsVersion0", ReadHeifDate, Shaped({.ilocVersion = 0}), kOriginal},
    {"HeifLocationsVersion2WideIds", ReadHeifDate, Shaped({.ilocVersion = 2, .infeVersion = 3}), kOriginal},
    {"HeifEightByteOffsetsFromBase", ReadHeifDate, Shaped({.offsetSize = 8, .baseOffset = true}), kOriginal},
    {"HeifItemInThreeParts", ReadHeifDate, Shaped({.parts = 3}), kOriginal},
    {"HeifItemWithoutExifHeader", ReadHeifDate, HeifFile(Be32(0) + CameraTiff(false)), kOriginal},
    {"HeifPanoramaOfManyTiles", ReadHeifDate, Shaped({.ilocVersion = 2, .infeVersion = 3, .tiles = 1000}), kOriginal},
    {"HeifNoExifItem", ReadHeifDate, Shaped({.itemType = "mime"}), ""},
    {"HeifExifItemInsideMeta", ReadHeifDate, Shaped({.constructionMethod = 1}), kOriginal},
    {"HeifExifItemInsideMetaInPartsFromBase", ReadHeifDate,
     Shaped({.baseOffset = true, .parts = 3, .constructionMethod = 1}), kOriginal},
    {"HeifExifItemPastItsDataBox", ReadHeifDate, Shaped({.offsetShift = 4000, .constructionMethod = 1}), "",
     "the item lies outside its data box"},
    {"HeifExifItemInAnotherWay", ReadHeifDate, Shaped({.constructionMethod = 2}), ""},
    {"HeifExifItemNotTiff", ReadHeifDate, HeifFile(ExifItem("JUNKJUNK")), ""},
    {"HeifItemPastTheEnd", ReadHeifDate, Shaped({.offsetShift = 4000}), "", "the item lies outside the file"},
    {"HeifOffsetThatWraps", ReadHeifDate,
     Shaped({.offsetSize = 8, .baseOffset = true, .offsetShift = ~std::uint64_t{0} - 50}), "",
     "the item lies outside the file"},
    {"HeifCutInItem", ReadHeifDate, HeifFile(kCameraItem).substr(0, HeifFile(kCameraItem).size() - 20), "",
     "the item lies outside the file"},
    {"HeifNoFileType", ReadHeifDate, HeifFile(kCameraItem).substr(24), "", "no ftyp box"},
    {"HeifNoMeta", ReadHeifDate, Box("ftyp", "heic") + Box("mdat", kCameraItem), "", "no meta box"},
    {"HeifMetaPastTheEnd", ReadHeifDate, MetaSized(Be32(100000) + "meta"), "", kUnfitting},
    {"HeifMetaSmallerThanItsHeader", ReadHeifDate, MetaSized(Be32(4) + "meta"), "", kUnfitting},
    {"HeifMetaLargeSizeWrapping", ReadHeifDate, MetaSized(Be32(1) + "meta" + Be64(~std::uint64_t{0} - 7)), "",
     kUnfitting},
    {"HeifEmptyFile", ReadHeifDate, "", "", "no ftyp box"},
    {"HeifJpegRenamed", ReadHeifDate, JpegFile({ExifSegment(CameraTiff(false))}), "", "no ftyp box"},
    {"HeifTooManyItems", ReadHeifDate,
     Box("ftyp", "heic") +
         FullBox("meta", 0,
                 FullBox("iinf", 0, Be16(1) + FullBox("infe", 2, Be16(1) + Be16(0) + "Exif")) +
                     FullBox("iloc", 2, std::string("\x44\0", 2) + Be32(0xFFFFFFFF))),
     "", "too many items"},
    {"HeifLocationsOfVersion3", ReadHeifDate, Shaped({.ilocVersion = 3}), "", "the item locations cannot be read"},
    // Videos: the QuickTime creation date as written, in either form of meta, else the movie header.
    {"VideoKeyDate", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText) + MovieHeader(0, 0)), kKeyDate},
    {"VideoKeyDateIsoMeta", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText, true)), kKeyDate},
    {"VideoKeyDateInUserData", ReadVideoDate, MovieFile(MovieHeader(0, 0) + Box("udta", QuickTimeMeta(kKeyText, true))),
     kKeyDate},
    {"VideoKeyDateWithFractionAndBlank", ReadVideoDate, MovieFile(QuickTimeMeta("2021-07-04 15:30:12.250Z")), kKeyDate},
    {"VideoUserDataDay", ReadVideoDate, MovieFile(MovieHeader(0, 0) + UserDataDay(kKeyText, 24)), kKeyDate},
    {"VideoItemDay", ReadVideoDate, MovieFile(MovieHeader(0, 0) + ItemDay(kKeyText)), kKeyDate},
    {"VideoKeyDateBeforeDay", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText) + UserDataDay("1999-01-01T00:00:00", 19)),
     kKeyDate},
    {"VideoDayOnlyAYear", ReadVideoDate, MovieFile(UserDataDay("2021", 4) + MovieHeader(0, 0)), ""},
    {"VideoDayLongerThanItsBox", ReadVideoDate, MovieFile(UserDataDay(kKeyText, 200)), ""},
    {"VideoKeyDateNotText", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText, false, 21)), ""},
    {"VideoKeyDateMalformed", ReadVideoDate, MovieFile(QuickTimeMeta("2021-07-04T15:3x:12")), ""},
    {"VideoHeaderTimeZero", ReadVideoDate, MovieFile(MovieHeader(1, 0)), ""},
    {"VideoHeaderPastYear9999", ReadVideoDate, MovieFile(MovieHeader(1, ~std::uint64_t{0})), ""},
    {"VideoMovieFirstAndUserDataZeroEnd", ReadVideoDate,
     Box("moov", Box("udta", QuickTimeMeta(kKeyText) + std::string(4, '\0'))) + Box("mdat", ""), kKeyDate},
    {"VideoMediaDataToTheEnd", ReadVideoDate, Box("moov", QuickTimeMeta(kKeyText)) + Be32(0) + "mdat" + "frames",
     kKeyDate},
    {"VideoLargeSize", ReadVideoDate, Be32(1) + "ftyp" + Be64(20) + "isom" + Box("moov", QuickTimeMeta(kKeyText)),
     kKeyDate},
    {"VideoLargeSizePastTheEnd", ReadVideoDate, Be32(1) + "mdat" + Be64(1ULL << 40) + Box("moov", ""), "", kUnfitting},
    {"VideoMovieCutShort", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText)).substr(0, 80), "", kUnfitting},
    {"VideoChildLeavesMovie", ReadVideoDate, MovieFile(Be32(4000) + "udta"), "", kUnfitting},
    {"VideoNoMovie", ReadVideoDate, Box("ftyp", "isom") + Box("mdat", "frames"), "", "no moov box"},
    {"VideoNotBoxes", ReadVideoDate, "RIFF\x24\0\0\0WAVEfmt ", "", "no movie boxes"},
    {"VideoEmptyFile", ReadVideoDate, "", "", "no movie boxes"},
    {"VideoTooManyBoxes", ReadVideoDate, ManyFreeBoxesThenMovie(), "", "too many boxes"},
    {"VideoNestedUserDataIsNotFollowed", ReadVideoDate, MovieFile(NestedUserData(200) + MovieHeader(0, 0)), ""},
    // CR3: CMT2's DateTimeOriginal, else CMT1's DateTime.
    {"Cr3Original", ReadCr3Date, Cr3File(kCmt1 + kCmt2), kOriginal},
    {"Cr3FallsBackToDateTime", ReadCr3Date, Cr3File(kCmt1 + kDatelessCmt2), kModified},
    {"Cr3CompatibleBrand", ReadCr3Date,
     Box("ftyp", std::string("isom") + Be32(0) + "crx ") + Box("moov", Box("uuid", Cr3MetadataUuid() + kCmt1 + kCmt2)),
     kOriginal},
    {"Cr3OtherBrand", ReadCr3Date, Cr3File(kCmt1 + kCmt2, "isom"), "", "not a crx file"},
    {"Cr3OtherUuid", ReadCr3Date, Cr3File(kCmt1 + kCmt2, "crx ", std::string(16, 'u')), "", "no metadata uuid box"},
    {"Cr3NoCmt2", ReadCr3Date, Cr3File(kCmt1), "", "no CMT boxes"},
    {"Cr3Cmt2NotTiff", ReadCr3Date, Cr3File(kCmt1 + Cmt("CMT2", "XX*\0\0\0\0\0")), "", "the CMT boxes are not TIFF"},
    {"Cr3CmtPastUuid", ReadCr3Date, Cr3File(kCmt1 + Be32(500) + "CMT2"), "", kUnfitting},
    {"Cr3NoFileType", ReadCr3Date, Box("moov", ""), "", "no ftyp box"},
};

class MediaDateTest : public testing::TestWithParam<TMediaCase> {};

TEST_P(MediaDateTest, ReadsTheDateOrTellsWhyTheFileIsUnfit) {
  const TMediaCase& c = GetParam();
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("file", c.content);
  const TMediaDate date = c.reader(fileSystem, "file");
  EXPECT_EQ(date.dateText, c.dateText);
  EXPECT_EQ(date.unfitReason, c.unfitReason);
}

INSTANTIATE_TEST_SUITE_P(Files, MediaDateTest, testing::ValuesIn(kCases), TCaseName());

TEST(MediaDate, PassesOverMediaDataWithoutReadingIt) {
  const std::string frames(3 << 20, 'f');
  const std::string movie = Box("ftyp", "qt  ") + Box("mdat", frames) + Box("moov", QuickTimeMeta(kKeyText));
  const std::string picture = HeifFile(kCameraItem) + Box("mdat", frames);
  for (const TMediaCase& c : {TMediaCase{"Movie", ReadVideoDate, movie, kKeyDate},
                              TMediaCase{"Picture", ReadHeifDate, picture, kOriginal}}) {
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile("file", c.content);
    EXPECT_EQ(c.reader(fileSystem, "file").dateText, c.dateText) << c.name;
    EXPECT_LT(fileSystem.usage.bytesRead, 100'000u);
  }
}

// Through the system's file system, in whatever zone is in force: the files whose date is no
// movie header's time (the same in every zone).
TEST(MediaDate, MadeFilesGiveExiftoolsDatesThatNoZoneChanges) {
  int read = 0;
  for (const TMadeFile& file : MadeFiles()) {
    if (file.inUtc != file.inCentralEurope) continue;
    EXPECT_EQ(ReadMadeFile(file.path).dateText, file.inUtc) << file.path;
    ++read;
  }
  EXPECT_EQ(read, 8);
}

// A file cut anywhere gives its date, no date or a reason, never another date.
TEST(MediaDate, EveryCutOfAFileEndsCleanly) {
  for (const TMediaCase& c : {TMediaCase{"Picture", ReadHeifDate, HeifFile(kCameraItem), kOriginal},
                              TMediaCase{"Movie", ReadVideoDate, MovieFile(QuickTimeMeta(kKeyText, true)), kKeyDate},
                              TMediaCase{"Raw", ReadCr3Date, Cr3File(kCmt1 + kCmt2), kOriginal}}) {
    for (std::size_t size = 0; size < c.content.size(); ++size) {
      TMemoryFileSystem fileSystem;
      fileSystem.AddFile("file", c.content.substr(0, size));
      const TMediaDate date = c.reader(fileSystem, "file");
      EXPECT_TRUE(date.dateText.empty() || date.dateText == c.dateText) << c.name << " cut at " << size;
      EXPECT_TRUE(date.dateText.empty() || date.unfitReason.empty()) << c.name << " cut at " << size;
    }
  }
}

TEST(MediaDate, FileThatCannotBeOpenedIsUnfit) {
  for (const TReader reader : {ReadHeifDate, ReadVideoDate, ReadCr3Date}) {
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile("locked", HeifFile(kCameraItem));
    fileSystem.FailOpen("locked", std::errc::permission_denied);
    EXPECT_EQ(reader(fileSystem, "locked").unfitReason, "the file cannot be opened");
    EXPECT_EQ(reader(fileSystem, "missing").unfitReason, "the file cannot be opened");
  }
}

}  // namespace
}  // namespace kalvero

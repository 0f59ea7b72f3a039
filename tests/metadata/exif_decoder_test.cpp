#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "metadata/image_reader.h"
#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

// Decodes `tiff` as the Exif segment of a reader with `listMode`, as the marker walk does.
class TDecoded {
 public:
  explicit TDecoded(const std::string& tiff, int listMode = 255) : reader(fileSystem, listMode) {
    reader.SetBuffer(ExifSegment(tiff).substr(2));
    reader.DecodeExifSegment();
  }
  const TExifInfo& info() const { return *reader.exifInfo; }

  TMemoryFileSystem fileSystem;
  TImageReader reader;
};

struct TDateCase {
  std::string name;
  std::function<std::string(bool bigEndian)> tiff;
  std::string expected;
};

std::string OnlyInIfd0(bool bigEndian, std::uint16_t tag, const std::string& text) {
  return TTiffBuilder(bigEndian).Ascii(0, tag, text).Build();
}

std::string WithTerminator(std::string_view text) { return std::string(text) + '\0'; }

// IFD0 -> A -> B -> A: A sets DateTime before its pointer to B, B points back before it sets
// DateTimeOriginal.
TTiffBuilder MutualPointers(bool bigEndian) {
  TTiffBuilder tiff(bigEndian);
  const int a = tiff.AddDirectory(), b = tiff.AddDirectory();
  tiff.Pointer(0, 0x8769, a).Ascii(a, 0x0132, "2008:01:01 10:00:00").Pointer(a, 0xA005, b);
  tiff.Pointer(b, 0xA005, a).Ascii(b, 0x9003, "2009:05:23 14:30:01");
  return tiff;
}

std::size_t ListedEntries(std::string_view listing) {
  std::size_t lines = 0;
  for (std::size_t at = listing.find("\r\n"); at != std::string_view::npos; at = listing.find("\r\n", at + 2)) ++lines;
  return lines;
}

const std::vector<TDateCase> kDateCases = {
    {"OriginalReplacesDateTime", CameraTiff, "2009:05:23 14:30:01"},
    {"DateTimeAlone", [](bool e) { return OnlyInIfd0(e, 0x0132, "2008:01:01 10:00:00"); }, "2008:01:01 10:00:00"},
    {"OriginalAlone", [](bool e) { return OnlyInIfd0(e, 0x9003, "2009:05:23 14:30:01"); }, "2009:05:23 14:30:01"},
    {"DigitizedAloneGivesNothing", [](bool e) { return OnlyInIfd0(e, 0x9004, "2003:03:03 03:03:03"); }, ""},
    {"NeitherDate", [](bool e) { return OnlyInIfd0(e, 0x010F, "Vandrel"); }, ""},
    {"LastMetWinsWhenPointerComesFirst",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int exif = tiff.AddDirectory();
       tiff.Pointer(0, 0x8769, exif).Ascii(0, 0x0132, "2008:01:01 10:00:00").Ascii(exif, 0x9003, "2009:05:23 14:30:01");
       return tiff.Build();
     },
     "2008:01:01 10:00:00"},
    {"ThumbnailDirectoryIsNotWalked",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int thumbnail = tiff.AddDirectory();
       tiff.Ascii(0, 0x010F, "Vandrel").Link(0, thumbnail).Ascii(thumbnail, 0x0132, "2011:11:11 11:11:11");
       return tiff.Build();
     },
     ""},
    {"Count19LosesLastCharacter",
     [](bool e) { return TTiffBuilder(e).Add(0, {0x9003, 2, 19, "2009:05:23 14:30:01"}).Build(); },
     "2009:05:23 14:30:0"},
    {"TwentyZeroBytesGiveDots",
     [](bool e) { return TTiffBuilder(e).Add(0, {0x9003, 2, 20, std::string(20, '\0')}).Build(); },
     std::string(19, '.')},
    {"LongTextCutTo20", [](bool e) { return OnlyInIfd0(e, 0x9003, "2009:05:23 14:30:01+02:00"); }, "2009:05:23 14:30:01+"},
    {"InlineValue", [](bool e) { return OnlyInIfd0(e, 0x9003, "200"); }, "200"},
    {"EmptyOriginalReplacesDateTime",
     [](bool e) { return TTiffBuilder(e).Ascii(0, 0x0132, "2008:01:01 10:00:00").Ascii(0, 0x9003, "").Build(); },
     ""},
    {"Ifd0OffsetZeroReadAs8",
     [](bool e) { return TTiffBuilder(e).Ifd0Offset(0).Ascii(0, 0x0132, "2008:01:01 10:00:00").Build(); },
     "2008:01:01 10:00:00"},
    {"ValueOffsetPastSegmentGivesEmptyText",
     [](bool e) { return TTiffBuilder(e).Add(0, {.tag = 0x9003, .format = 2, .count = 20, .fieldValue = 0xFFFFFFF8}).Build(); },
     ""},
    {"CountPastSegmentRunsToItsEnd",
     [](bool e) { return TTiffBuilder(e).Add(0, {0x9003, 2, 0x7FFFFFFF, WithTerminator("2009:05:23 14:30:01")}).Build(); },
     "2009:05:23 14:30:01."},
    {"TypeOutOfRangeIsSkipped",
     [](bool e) {
       return TTiffBuilder(e).Ascii(0, 0x0132, "2008:01:01 10:00:00").Add(0, {0x9003, 0xFFFF, 20, WithTerminator("2009:05:23 14:30:01")}).Build();
     },
     "2008:01:01 10:00:00"},
    {"ShortTypedDateShowsNumbers",
     [](bool e) {
       TTiffBuilder tiff(e);
       std::string value;
       for (char c : std::string("2009:05:23 14:30:01")) value += tiff.U16(static_cast<unsigned char>(c));
       return tiff.Add(0, {0x9003, 3, 19, value}).Build();
     },
     "50, 48, 48, 57, 58, "},
    {"PointerBackToIfd0IsRefused",
     [](bool e) { return TTiffBuilder(e).Ascii(0, 0x0132, "2008:01:01 10:00:00").Pointer(0, 0x8769, 0).Build(); },
     "2008:01:01 10:00:00"},
    {"SelfPointingExifDirectory",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int exif = tiff.AddDirectory();
       tiff.Pointer(0, 0x8769, exif).Ascii(exif, 0x9003, "2009:05:23 14:30:01").Pointer(exif, 0x8769, exif);
       return tiff.Build();
     },
     "2009:05:23 14:30:01"},
    {"SecondPointerWalksTheDirectoryAgain",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int exif = tiff.AddDirectory();
       tiff.Pointer(0, 0x8769, exif).Ascii(0, 0x0132, "2008:01:01 10:00:00").Pointer(0, 0x8769, exif);
       tiff.Ascii(exif, 0x9003, "2009:05:23 14:30:01");
       return tiff.Build();
     },
     "2009:05:23 14:30:01"},
    {"MutualPointersEnd", [](bool e) { return MutualPointers(e).Build(); }, "2009:05:23 14:30:01"},
    {"HugeExifPointerIsSkipped",
     [](bool e) {
       return TTiffBuilder(e).Ascii(0, 0x0132, "2008:01:01 10:00:00").Add(0, {.tag = 0x8769, .format = 4, .count = 1, .fieldValue = 0xFFFFFFFA}).Build();
     },
     "2008:01:01 10:00:00"},
    {"InteropAndSubIfdsAreWalked",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int sub = tiff.AddDirectory(), interop = tiff.AddDirectory();
       tiff.Pointer(0, 0x014A, sub).Pointer(sub, 0xA005, interop).Ascii(interop, 0x9003, "2009:05:23 14:30:01");
       return tiff.Build();
     },
     "2009:05:23 14:30:01"},
    {"DecoderFailureInExifDirectoryKeepsItsDate",
     [](bool e) {
       TTiffBuilder tiff(e);
       const int exif = tiff.AddDirectory();
       tiff.Pointer(0, 0x8769, exif).Ascii(0, 0x9C9B, "7");
       tiff.Ascii(exif, 0x9003, "2009:05:23 14:30:01").Ascii(exif, 0x9209, "no number").Ascii(exif, 0x9003, "2010:01:01 00:00:00");
       return tiff.Build();
     },
     "2009:05:23 14:30:01"},
};

class ExifDateTest : public testing::TestWithParam<TDateCase> {};

TEST_P(ExifDateTest, GivesTheSameDateInBothByteOrders) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "MM" : "II");
    const TDecoded decoded(GetParam().tiff(bigEndian));
    EXPECT_EQ(decoded.info().dateTime, GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(DateRules, ExifDateTest, testing::ValuesIn(kDateCases), TCaseName());

TEST(ExifDate, NestingBeyondTheDepthLimitIsNotWalked) {
  for (const int depth : {3, TExifInfo::kMaxDepth + 2}) {
    TTiffBuilder tiff;
    int previous = 0;
    for (int i = 1; i <= depth; ++i) {
      const int next = tiff.AddDirectory();
      tiff.Pointer(previous, 0x8769, next);
      previous = next;
    }
    tiff.Ascii(previous, 0x9003, "2009:05:23 14:30:01");
    EXPECT_EQ(TDecoded(tiff.Build()).info().dateTime, depth < TExifInfo::kMaxDepth ? "2009:05:23 14:30:01" : "");
  }
}

struct THeaderCase {
  std::string name;
  std::string body;  // the segment after its length field
  std::string errorText;
};

std::string Body(std::string_view identifier, const std::string& tiff) { return std::string(identifier) + tiff; }

const std::string kIdentifier("Exif\0\0", 6);
const std::string kTiff = CameraTiff(false);

const std::vector<THeaderCase> kHeaderCases = {
    {"WellFormed", Body(kIdentifier, kTiff), ""},
    {"IdentifierExiv", Body(std::string("Exiv\0\0", 6), kTiff), "Incorrect Exif header"},
    {"IdentifierWithoutZero", Body(std::string("Exifx\0", 6), kTiff), "Incorrect Exif header"},
    {"IdentifierCut", "Exi", "Incorrect Exif header"},
    {"ByteOrderIM", Body(kIdentifier, "IM" + kTiff.substr(2)), "Invalid Exif alignment marker"},
    {"IdentifierOnly", kIdentifier, "Invalid Exif alignment marker"},
    {"HeaderCutBeforeIfd0Offset", Body(kIdentifier, kTiff.substr(0, 6)), "Illegally sized directory"},
    {"Ifd0CountBeyondData", Body(kIdentifier, kTiff.substr(0, 8) + "\xFF\xFF" + std::string(100, '\0')), "Illegally sized directory"},
    {"Ifd0OffsetPastSegment", Body(kIdentifier, kTiff.substr(0, 4) + std::string("\x00\xFF\xFF\xFF", 4) + kTiff.substr(8)), "Illegally sized directory"},
    {"Ifd0CutInItsEntries", Body(kIdentifier, kTiff.substr(0, 30)), "Illegally sized directory"},
};

class ExifHeaderTest : public testing::TestWithParam<THeaderCase> {};

TEST_P(ExifHeaderTest, ReportsThroughTheReadersErrorText) {
  TMemoryFileSystem fileSystem;
  TImageReader reader(fileSystem, 255);
  reader.SetBuffer(std::string(2, '\0') + GetParam().body);
  reader.DecodeExifSegment();
  EXPECT_EQ(reader.errorText, GetParam().errorText);
  ASSERT_NE(reader.exifInfo, nullptr);
  if (!GetParam().errorText.empty()) {
    EXPECT_EQ(reader.exifInfo->dateTime, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Header, ExifHeaderTest, testing::ValuesIn(kHeaderCases), TCaseName());

TEST(ExifDecoder, IllegallySizedSubDirectoryIsSkippedAndTheWalkGoesOn) {
  TTiffBuilder tiff(true);
  const int exif = tiff.AddDirectory();
  tiff.Pointer(0, 0x8769, exif).Ascii(0, 0x0132, "2008:01:01 10:00:00");
  std::string block = tiff.Build();
  block.replace(tiff.DirectoryOffset(exif), 2, "\x7F\xFF");
  const TDecoded decoded(block);
  EXPECT_EQ(decoded.reader.errorText, "Illegally sized directory");
  EXPECT_EQ(decoded.info().dateTime, "2008:01:01 10:00:00");
}

TEST(ExifDecoder, StoresTheFieldsItKnows) {
  TTiffBuilder tiff(true);
  const int exif = tiff.AddDirectory();
  tiff.Short(0, 0x0100, 3000).Long(0, 0x0101, 2000).Ascii(0, 0x010F, std::string(40, 'M')).Ascii(0, 0x0110, std::string(50, 'm'));
  tiff.Pointer(0, 0x8769, exif);
  tiff.Add(exif, {0x9000, 7, 4, "0230"}).Ascii(exif, 0x9003, "2009:05:23 14:30:01").Ascii(exif, 0x9004, "2010:02:02 02:02:02");
  tiff.Short(exif, 0x9209, 0x19).Add(exif, {0x9286, 7, 18, std::string("ASCII\0\0\0", 8) + "  Hello \x01\0"});
  tiff.Add(exif, {0x927C, 7, 6, "NOTE!!"});
  const TDecoded decoded(tiff.Build());
  const TExifInfo& info = decoded.info();
  EXPECT_EQ(info.width, 3000);
  EXPECT_EQ(info.height, 2000);
  EXPECT_EQ(info.widthPosition, 9 + 8 + 2 + 8);
  EXPECT_EQ(info.cameraMake, std::string(32, 'M'));
  EXPECT_EQ(info.cameraModel, std::string(40, 'm'));
  EXPECT_EQ(info.exifVersion, "0230");
  EXPECT_EQ(info.flash, 0x19);
  EXPECT_EQ(info.userComment, "Hello");
  EXPECT_EQ(info.userCommentLength, 9);
  EXPECT_EQ(info.makerNote, "NOTE!!");
  EXPECT_FALSE(info.makerNoteDecoded);
  EXPECT_NE(info.dateTimeOriginalPosition, 0);
  EXPECT_NE(info.dateTimeDigitizedPosition, 0);
  EXPECT_EQ(info.TagText("Flash"), "On, auto mode");
  EXPECT_EQ(info.TagText("usercomment"), "Hello");
}

TEST(ExifDecoder, RecordsTheThumbnailLinkOfIfd0) {
  TTiffBuilder tiff;
  const int exif = tiff.AddDirectory(), thumbnail = tiff.AddDirectory();
  tiff.Pointer(0, 0x8769, exif).Link(0, thumbnail).Link(exif, 0).Long(thumbnail, 0x0201, 0);
  const std::string block = tiff.Build();
  const TDecoded decoded(block);
  const std::int64_t segmentLength = static_cast<std::int64_t>(block.size()) + 8;
  const std::int64_t thumbnailOffset = tiff.DirectoryOffset(thumbnail);
  EXPECT_EQ(decoded.info().thumbnailStart, thumbnailOffset);
  EXPECT_EQ(decoded.info().thumbnailLength, 9 + segmentLength - 6 - thumbnailOffset);
  EXPECT_EQ(decoded.info().TagIndex("JPEGInterchangeFormat"), -1);
}

TEST(ExifListing, ListsEveryEntryButKeepsOnlyCatalogueTags) {
  TTiffBuilder tiff;
  const int gps = tiff.AddDirectory();
  tiff.Ascii(0, 0xC000, "private").Ascii(0, 0x010E, std::string(60, 'x') + "\n").Pointer(0, 0x8825, gps);
  tiff.Add(gps, {0x0000, 1, 4, std::string("\x02\x02\x00\x00", 4)});
  tiff.Add(0, {0x0102, 3, 10, std::string("\1\0\2\0\3\0\4\0\5\0\6\0\7\0\x08\0\x09\0\x0A\0", 20)});
  const TDecoded decoded(tiff.Build());
  const TExifInfo& info = decoded.info();
  EXPECT_EQ(info.listing, "\r\nUnknown = private\r\nImage Description = " + std::string(50, 'x') + "\r\nGPSInfo = " +
                              std::to_string(tiff.DirectoryOffset(gps)) + "\r\nGPSVersion ID = 2, 2, 0, 0" +
                              "\r\nBits Per Sample = 1, 2, 3, 4, 5, 6, 7, 8");
  EXPECT_EQ(info.TagIndex("Unknown"), -1);
  EXPECT_EQ(info.TagIndex("GPSVersionID"), -1);
  ASSERT_EQ(info.tagCount(), 3u);
  const TTagEntry& description = info.tagList[0];
  EXPECT_EQ(description.tag, 0x010E);
  EXPECT_EQ(description.format, 2);
  EXPECT_EQ(description.size, 62);
  EXPECT_EQ(description.raw, std::string(60, 'x') + "\n" + '\0');
}

TEST(ExifListing, OtherListModesKeepOnlyTheStoredFields) {
  const TDecoded decoded(CameraTiff(false), 0);
  EXPECT_EQ(decoded.info().listing, "");
  EXPECT_EQ(decoded.info().tagCount(), 0u);
  EXPECT_EQ(decoded.info().dateTime, "");
  EXPECT_NE(decoded.info().dateTimeOriginalPosition, 0);
}

TEST(ExifListing, DerivesTheFocalLengthIn35mmFilm) {
  TTiffBuilder tiff;
  const int exif = tiff.AddDirectory();
  tiff.Pointer(0, 0x8769, exif).Rational(exif, 0x920A, 50, 1).Rational(exif, 0x920E, 3000, 1);
  tiff.Rational(exif, 0x920F, 3000, 1).Short(exif, 0x9210, 2).Short(exif, 0xA002, 3000).Short(exif, 0xA003, 2000);
  const TDecoded decoded(tiff.Build());
  EXPECT_EQ(decoded.info().TagText("FocalLengthIn35mmFilm"), "70.87");
  EXPECT_TRUE(decoded.info().listing.ends_with("\r\nFocal Length in 35mm Film = 70.87"));
}

TEST(ExifWalk, OverlappingValuesStopOnceTheWorkIsUsedUp) {
  TTiffBuilder tiff;
  for (int i = 0; i < 4000; ++i) tiff.Add(0, {.tag = 0x010E, .format = 2, .count = 60000, .fieldValue = 0});
  const TDecoded decoded(tiff.Build());
  EXPECT_EQ(decoded.reader.errorText, "Illegally sized directory");
  EXPECT_LT(decoded.info().tagCount(), 100u);
}

TEST(ExifWalk, ALoopIsRefusedAtTheDirectoryBeingWalked) {
  // Each of the five entries is met once: B's pointer back to A is listed but not followed.
  const TDecoded decoded(MutualPointers(false).Build());
  EXPECT_EQ(ListedEntries(decoded.info().listing), 5u);
  EXPECT_EQ(decoded.reader.errorText, "");
}

TEST(ExifWalk, RepeatedPointersStopOnceTheWorkIsUsedUp) {
  // Twenty pointers from each directory to the next would make 20^15 walks without the budget.
  TTiffBuilder tiff;
  for (int level = 0; level < TExifInfo::kMaxDepth - 1; ++level) {
    const int next = tiff.AddDirectory();
    for (int i = 0; i < 20; ++i) tiff.Pointer(next - 1, 0x8769, next);
  }
  const std::string block = tiff.Build();
  const TDecoded decoded(block);
  EXPECT_EQ(decoded.reader.errorText, "Illegally sized directory");
  EXPECT_LE(ListedEntries(decoded.info().listing), TExifInfo::kWorkPerByte * (block.size() + 8) / 12);
}

}  // namespace
}  // namespace kalvero

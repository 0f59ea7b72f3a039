#include "metadata/image_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

const std::string kDto = "2009:05:23 14:30:01";
const std::string kExif = ExifSegment(CameraTiff(false));
const std::string kApp0 = JpegSegment(0xE0, std::string("JFIF\0\1\1", 7));
const std::string kApp2 = JpegSegment(0xE2, "ICC_PROFILE");
const std::string kComment = JpegSegment(0xFE, "made by hand");
const std::string kIptc = JpegSegment(0xED, "Photoshop 3.0");
const std::string kXmp = JpegSegment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 34));

std::string OtherExif(const std::string& date) {
  return ExifSegment(TTiffBuilder(true).Ascii(0, 0x9003, date).Build());
}

struct TLoadCase {
  std::string name;
  std::string path;
  std::string content;
  bool result;
  std::string errorText;
  bool exifFound;
  std::string dateTime;
};

const std::vector<TLoadCase> kLoadCases = {
    {"CameraJpeg", "a.jpg", JpegFile({kExif}), true, "<none>", true, kDto},
    {"CameraJpegBigEndian", "a.jpg", JpegFile({ExifSegment(CameraTiff(true))}), true, "<none>", true, kDto},
    {"UpperCaseExtension", "IMG_0001.JPG", JpegFile({kExif}), true, "<none>", true, kDto},
    {"JpegExtension", "a.jpeg", JpegFile({kExif}), true, "<none>", true, kDto},
    {"JpeExtension", "a.JpE", JpegFile({kExif}), true, "<none>", true, kDto},
    {"PngExtension", "a.png", JpegFile({kExif}), false, "Not an EXIF file", false, ""},
    {"NoExtension", "jpg", JpegFile({kExif}), false, "Not an EXIF file", false, ""},
    {"DotOnlyInFolderName", "b.jpg/a", JpegFile({kExif}), false, "Not an EXIF file", false, ""},
    {"App0ThenApp1", "a.jpg", JpegFile({kApp0, kExif}), true, "<none>", true, kDto},
    {"FillBytesBeforeMarker", "a.jpg", "\xFF\xD8\xFF\xFF" + kExif + "\xFF\xD9", true, "<none>", true, kDto},
    {"MegabyteOfFillBytes", "a.jpg", "\xFF\xD8" + std::string((1 << 20) - 1, '\xFF') + kExif, true, "<none>", true, kDto},
    {"FillBytesBeyondAnyPictureEndTheWalk", "a.jpg", "\xFF\xD8" + std::string(1 << 20, '\xFF') + kExif, false,
     "Not an EXIF file", false, ""},
    {"FifthSegmentEndsWalkWithoutMetadata", "a.jpg", JpegFile({kApp0, kApp2, kApp2, kApp2, kExif}), false,
     "Not an EXIF file", false, ""},
    {"CommentInFourthPlaceLetsFifthIn", "a.jpg", JpegFile({kApp0, kApp2, kApp2, kComment, kExif}), true, "<none>",
     true, kDto},
    {"App1InSixthPlaceIsDropped", "a.jpg", JpegFile({kComment, kApp0, kApp2, kApp2, kApp2, kExif}), true, "<none>",
     false, ""},
    {"SecondApp1IsDropped", "a.jpg", JpegFile({kExif, OtherExif("2001:01:01 01:01:01")}), true, "<none>", true, kDto},
    {"XmpBeforeExif", "a.jpg", JpegFile({kXmp, kExif}), true, "<none>", true, ""},
    {"EmptyApp1BeforeExif", "a.jpg", JpegFile({JpegSegment(0xE1, ""), kExif}), true, "<none>", true, ""},
    {"CommentOnly", "a.jpg", JpegFile({kComment}), true, "<none>", false, ""},
    {"IptcOnly", "a.jpg", JpegFile({kIptc}), true, "<none>", false, ""},
    {"JfifOnly", "a.jpg", JpegFile({kApp0}), false, "Not an EXIF file", false, ""},
    {"ScanBeforeMetadata", "a.jpg", "\xFF\xD8" + JpegSegment(0xDA, "scan") + kExif, false, "Not an EXIF file", false, ""},
    {"EndOfImageBeforeScan", "a.jpg", "\xFF\xD8" + kExif + "\xFF\xD9", true, "<none>", true, kDto},
    {"FileEndsAfterApp1", "a.jpg", "\xFF\xD8" + kExif, true, "<none>", true, kDto},
    {"NoStartOfImage", "a.jpg", "GIF89a" + kExif, false, "Not an EXIF file", false, ""},
    {"EmptyFile", "a.jpg", "", false, "Not an EXIF file", false, ""},
    {"LengthZeroEndsWalk", "a.jpg", "\xFF\xD8\xFF\xFE" + std::string(2, '\0') + kExif, false, "Not an EXIF file",
     false, ""},
    {"LengthOneEndsWalkAfterMetadata", "a.jpg", "\xFF\xD8" + kExif + "\xFF\xE2" + std::string("\0\1", 2) + kComment,
     true, "<none>", true, kDto},
    {"BodyCutShortIsNotClassified", "a.jpg", "\xFF\xD8" + kExif.substr(0, kExif.size() - 1), false,
     "Not an EXIF file", false, ""},
    {"StandaloneMarkerReadAsSegment", "a.jpg", "\xFF\xD8\xFF\x01\xFF\xD0" + kExif, false, "Not an EXIF file", false,
     ""},
    {"DecoderFailureEndsWalk", "a.jpg",
     JpegFile({ExifSegment(TTiffBuilder().Ascii(0, 0x0132, "2008:01:01 10:00:00").Ascii(0, 0x9209, "x").Build())}),
     false, "Not an EXIF file", true, "2008:01:01 10:00:00"},
    {"TiffLittleEndian", "a.tif", CameraTiff(false), true, "<none>", true, kDto},
    {"TiffBigEndian", "a.TIFF", CameraTiff(true), true, "<none>", true, kDto},
    {"NefExtension", "a.nef", CameraTiff(true), true, "<none>", true, kDto},
    {"NefIfd0AlwaysAtOffset8", "a.nef", TTiffBuilder().AfterHeader(std::string(8, '\0')).Ascii(0, 0x9003, kDto).Build(),
     true, "<none>", true, ""},
    {"TiffIfd0OffsetIgnored", "a.tif", TTiffBuilder().Ifd0Offset(0xFFFFFFF0).Ascii(0, 0x9003, kDto).Build(), true,
     "<none>", true, kDto},
    {"TiffWithoutByteOrder", "a.tif", "XX" + CameraTiff(false).substr(2), false, "Not an EXIF file", false, ""},
    {"TiffHeaderOnly", "a.tif", CameraTiff(false).substr(0, 8), true, "<none>", true, ""},
    {"EmptyTiff", "a.tif", "", false, "Not an EXIF file", false, ""},
};

class LoadFileTest : public testing::TestWithParam<TLoadCase> {};

TEST_P(LoadFileTest, AnswersAndReportsAsTheFileDeserves) {
  const TLoadCase& c = GetParam();
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile(c.path, c.content);
  TImageReader reader(fileSystem, 255);
  EXPECT_EQ(reader.LoadFile(c.path), c.result);
  EXPECT_EQ(reader.errorText, c.errorText);
  EXPECT_EQ(reader.ExifFound(), c.exifFound);
  EXPECT_EQ(reader.exifInfo != nullptr, c.exifFound);
  if (reader.exifInfo) {
    EXPECT_EQ(reader.exifInfo->dateTime, c.dateTime);
  }
  EXPECT_EQ(reader.filePath, c.path);
  EXPECT_EQ(reader.fileLength, c.content.size());
  EXPECT_FALSE(reader.tiffSource);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadFileTest, testing::ValuesIn(kLoadCases), TCaseName());

TEST(LoadFile, MissingFileLeavesStatusEmpty) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddSpecial("fifo.jpg");
  TImageReader reader(fileSystem, 255);
  for (const std::string path : {"missing.jpg", "fifo.jpg", ""}) {
    EXPECT_FALSE(reader.LoadFile(path));
    EXPECT_EQ(reader.errorText, "");
    EXPECT_EQ(reader.filePath, "");
  }
}

TEST(LoadFile, FileThatCannotBeOpenedIsAnIllegalConstruction) {
  for (const std::string path : {"locked.jpg", "locked.tif"}) {
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile(path, JpegFile({kExif}));
    fileSystem.FailOpen(path, std::errc::permission_denied);
    TImageReader reader(fileSystem, 255);
    EXPECT_FALSE(reader.LoadFile(path));
    EXPECT_EQ(reader.errorText, "Illegal Exif construction");
    EXPECT_FALSE(reader.ExifFound());
    EXPECT_FALSE(reader.tiffSource);
  }
}

TEST(LoadFile, KeepsTheSegmentsAndReferencesInFileOrder) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("a.jpg", JpegFile({kApp0, kIptc, kComment, kExif, kIptc, kApp0, JpegSegment(0xFE, "last")}),
                     1'000'000'000LL * 86400);
  TImageReader reader(fileSystem, 255);
  ASSERT_TRUE(reader.LoadFile("a.jpg"));
  EXPECT_EQ(reader.sectionCount, 8);
  EXPECT_EQ(reader.app0Section, &reader.sections[6]);
  EXPECT_EQ(reader.iptcSection, &reader.sections[2]);
  EXPECT_EQ(reader.commentSection, &reader.sections[7]);
  EXPECT_EQ(reader.exifSection, &reader.sections[4]);
  EXPECT_NE(reader.iptcInfo, nullptr);
  EXPECT_EQ(reader.sections[8].marker, 0xDA);
  EXPECT_EQ(reader.sections[7].bytes, std::string("\0\6last", 6));
  EXPECT_EQ(reader.sections[7].length, 6);
  EXPECT_EQ(reader.fileTime, 25570.0);
}

TEST(LoadFile, ForgetsTheLastFile) {
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("a.jpg", JpegFile({kIptc, kExif}));
  fileSystem.AddFile("b.jpg", JpegFile({kApp0}));
  TImageReader reader(fileSystem, 255);
  ASSERT_TRUE(reader.LoadFile("a.jpg"));
  EXPECT_FALSE(reader.LoadFile("b.jpg"));
  EXPECT_EQ(reader.exifInfo, nullptr);
  EXPECT_EQ(reader.iptcInfo, nullptr);
  EXPECT_EQ(reader.sectionCount, 2);
  EXPECT_FALSE(reader.ExifFound());
}

// Every prefix of a valid file reads without a fault; once the Exif segment is whole, the date
// is there, and before that there is none.
TEST(LoadFile, EveryPrefixOfAValidFileReadsCleanly) {
  const std::string jpeg = JpegFile({kApp0, kExif, kComment});
  const std::size_t exifEnd = 2 + kApp0.size() + kExif.size();
  const std::string tiff = CameraTiff(true);
  for (std::size_t length = 0; length <= jpeg.size(); ++length) {
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile("a.jpg", jpeg.substr(0, length));
    fileSystem.AddFile("a.tif", tiff.substr(0, std::min(length, tiff.size())));
    TImageReader reader(fileSystem, 255);
    reader.LoadFile("a.jpg");
    EXPECT_EQ(reader.ExifFound(), length >= exifEnd) << length;
    if (reader.ExifFound()) {
      EXPECT_EQ(reader.exifInfo->dateTime, kDto) << length;
    }
    reader.LoadFile("a.tif");
  }
}

TEST(LoadFile, ReadsOnlyTheSegmentsInFrontOfTheScanInAFewReads) {
  TMemoryFileSystem memory;
  const std::string scanData(8 * 1024 * 1024, '\x55');
  memory.AddFile("big.jpg", JpegFile({kApp0, kExif, JpegSegment(0xE2, std::string(60000, 'i'))}) + scanData);
  TImageReader reader(memory, 255);
  ASSERT_TRUE(reader.LoadFile("big.jpg"));
  EXPECT_EQ(memory.usage.factQueries, 0) << "the facts come with the open file";
  EXPECT_EQ(memory.usage.opens, 1);
  EXPECT_LE(memory.usage.reads, 6);
  EXPECT_LT(memory.usage.bytesRead, 128u * 1024);
}

}  // namespace
}  // namespace kalvero

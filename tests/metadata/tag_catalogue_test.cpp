#include "metadata/tag_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "metadata/value_decoders.h"
#include "metadata/value_format.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

TEST(TagCatalogue, MainTableHas250AscendingTagsThenUnknown) {
  const auto rows = MainCatalogue();
  ASSERT_EQ(rows.size(), 251u);
  EXPECT_EQ(rows.back().tag, 0);
  EXPECT_EQ(rows.back().name, "Unknown");
  EXPECT_EQ(rows.back().description, "Unknown");
  const auto tags = rows.first(250);
  EXPECT_EQ(std::ranges::adjacent_find(tags, std::ranges::greater_equal(), &TTagEntry::tag), tags.end());
  EXPECT_EQ(tags.front().name, "InteroperabilityIndex");
  EXPECT_EQ(tags.back().name, "ImageUniqueID");
}

TEST(TagCatalogue, GpsTableHoldsTags0To30) {
  const auto rows = GpsCatalogue();
  ASSERT_EQ(rows.size(), 31u);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].tag, i);
  EXPECT_EQ(rows.front().name, "GPSVersionID");
  EXPECT_EQ(rows.back().name, "GPSDifferential");
}

TEST(TagCatalogue, ThirteenNamesOccurTwiceAndSearchFindsTheFirst) {
  std::map<std::string, int> counts;
  for (const TTagEntry& row : MainCatalogue()) ++counts[std::string(row.name)];
  std::vector<std::string> twice;
  for (const auto& [name, count] : counts)
    if (count == 2) twice.push_back(name);
  EXPECT_EQ(twice, (std::vector<std::string>{"CFAPattern", "ExposureIndex", "FlashEnergy", "FocalPlaneResolutionUnit",
                                             "FocalPlaneXResolution", "FocalPlaneYResolution", "ImageHistory",
                                             "ImageNumber", "SecurityClassification", "SensingMethod",
                                             "SpatialFrequencyResponse", "SubjectLocation", "TIFF/EPStandardID"}));
  EXPECT_EQ(MainCatalogue()[static_cast<std::size_t>(CatalogueIndex("FlashEnergy"))].tag, 0x920B);
  EXPECT_EQ(MainCatalogue()[static_cast<std::size_t>(CatalogueIndex("CFAPattern"))].tag, 0x828E);
}

struct TRowCase {
  std::string name;
  std::uint16_t tag;
  int kind;
  std::string rowName, description, codes, formatString;
  TValueDecoder decoder;
};

const std::vector<TRowCase> kRowCases = {
    {"ExposureTime", 0x829A, kMainDirectory, "ExposureTime", "Exposure Time", "", "%s sec", nullptr},
    {"GrayReponseUnit", 0x0122, kMainDirectory, "GrayReponseUnit", "Gray Reponse Unit", "", "", nullptr},
    {"GrayReponseCurve", 0x0123, kMainDirectory, "GrayReponseCurve", "Gray Reponse Curve", "", "", nullptr},
    {"ExtraSample", 0x0152, kMainDirectory, "ExtraSample", "Extra Sample", "", "", nullptr},
    {"IsoSpeed", 0x8827, kMainDirectory, "ISOSpeedRatings", "ISOSpeed Ratings", "", "", nullptr},
    {"IptcKeepsItsDescription", 0x83BB, kMainDirectory, "IPTC/NAA", "IPTC/NAA", "", "", nullptr},
    {"EpStandardSplit", 0x9216, kMainDirectory, "TIFF/EPStandardID", "TIFF/ EPStandard ID", "", "", nullptr},
    {"EpStandardOwnDescription", 0xA216, kMainDirectory, "TIFF/EPStandardID", "TIFF/EPStandardID", "", "", nullptr},
    {"FocalLengthIn35mm", 0xA405, kMainDirectory, "FocalLengthin35mmFilm", "Focal Length in 35mm Film", "", "%5.2f mm", nullptr},
    {"Orientation", 0x0112, kMainDirectory, "Orientation", "Orientation",
     "1:Normal,3:Rotated 180\u00B0,6:CounterClockwise 90\u00B0,8:Clockwise 90\u00B0", "", nullptr},
    {"PhotometricInterpretation", 0x0106, kMainDirectory, "PhotometricInterpretation", "Photometric Interpretation",
     "1:Monochrome, 2:RGB, 6:YCbCr", "", nullptr},
    {"Flash", 0x9209, kMainDirectory, "Flash", "Flash", "", "", DecodeFlashBits},
    {"ShutterSpeed", 0x9201, kMainDirectory, "ShutterSpeedValue", "Shutter Speed Value", "", "", DecodeExposureTime},
    {"XpSubject", 0x9C9F, kMainDirectory, "Subject", "Subject", "", "", DecodeCharacterCodes},
    {"FocalPlaneUnitA210", 0xA210, kMainDirectory, "FocalPlaneResolutionUnit", "Focal Plane Resolution Unit",
     "1:None Specified,2:Inch,3:Centimeter", "", nullptr},
    {"ImageUniqueId", 0xA420, kMainDirectory, "ImageUniqueID", "Image Unique ID", "0:Close view,1:Distant view", "", nullptr},
    {"GpsDifferential", 0x001E, kGpsDirectory, "GPSDifferential", "GPSDifferential", "", "", nullptr},
    {"GpsVersion", 0x0000, kGpsDirectory, "GPSVersionID", "GPSVersion ID", "", "", nullptr},
    {"GpsBearingRefMisspelt", 0x0017, kGpsDirectory, "GPSDestBearingkRef", "GPSDest Bearingk Ref", "", "", nullptr},
    {"GpsLatitude", 0x0002, kGpsDirectory, "GPSLatitude", "GPSLatitude", "", "", DecodeDegrees},
    {"GpsAltitudeRef", 0x0005, kGpsDirectory, "GPSAltitudeRef", "GPSAltitude Ref", "0:Sealevel", "", nullptr},
    {"GpsTimeStamp", 0x0007, kGpsDirectory, "GPSTimeStamp", "GPSTime Stamp", "", "", DecodeTimeOfDay},
    {"GpsTagInMainTableIsUnknown", 0x001E, kMainDirectory, "Unknown", "Unknown", "", "", nullptr},
    {"TagNoRowHolds", 0xC4A5, kMainDirectory, "Unknown", "Unknown", "", "", nullptr},
    {"TagZeroInMainTable", 0x0000, kMainDirectory, "Unknown", "Unknown", "", "", nullptr},
    {"OtherKind", 0x829A, 3, "Unknown", "Unknown", "", "", nullptr},
};

class CatalogueRowTest : public testing::TestWithParam<TRowCase> {};

TEST_P(CatalogueRowTest, FindTagByIdGivesTheRow) {
  const TRowCase& c = GetParam();
  const TTagEntry row = FindTagById(c.tag, c.kind);
  EXPECT_EQ(row.name, c.rowName);
  EXPECT_EQ(row.description, c.description);
  EXPECT_EQ(row.codes, c.codes);
  EXPECT_EQ(row.formatString, c.formatString);
  EXPECT_EQ(row.decoder, c.decoder);
  if (c.rowName == "Unknown") {
    EXPECT_EQ(row.tag, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogueRowTest, testing::ValuesIn(kRowCases), TCaseName());

TEST(CatalogueIndex, ComparesLettersWithoutCase) {
  EXPECT_EQ(MainCatalogue()[static_cast<std::size_t>(CatalogueIndex("FocalLengthIn35mmFilm"))].tag, 0xA405);
  EXPECT_EQ(CatalogueIndex("interoperabilityindex"), 0);
  EXPECT_EQ(CatalogueIndex("Unknown"), -1);
  EXPECT_EQ(CatalogueIndex("GPSLatitude"), -1);
}

TEST(SplitWords, PutsABlankBeforeCapitalsThatFollowOtherCharacters) {
  EXPECT_EQ(SplitWords("ExposureTime"), "Exposure Time");
  EXPECT_EQ(SplitWords("ISOSpeedRatings"), "ISOSpeed Ratings");
  EXPECT_EQ(SplitWords("GPSVersionID"), "GPSVersion ID");
  EXPECT_EQ(SplitWords("YCbCrCoefficients"), "YCb Cr Coefficients");
  EXPECT_EQ(SplitWords("T4Options"), "T4 Options");
  EXPECT_EQ(SplitWords(""), "");
}

TEST(TagCatalogue, EveryDecodeTableAndPatternIsWellFormed) {
  for (const auto table : {MainCatalogue(), GpsCatalogue()}) {
    for (const TTagEntry& row : table) {
      SCOPED_TRACE(row.name);
      if (!row.formatString.empty()) {
        const std::string shown = FormatValue(std::string("\x1C\0\0\0\x0A\0\0\0", 8), 5, "", row.formatString, false);
        EXPECT_EQ(shown.find('%'), std::string::npos) << shown;
      }
      if (row.codes.empty()) continue;
      std::size_t start = 0;
      do {
        const std::size_t end = std::min(row.codes.find(',', start), row.codes.size());
        EXPECT_NE(row.codes.substr(start, end - start).find(':'), std::string::npos) << row.codes;
        start = end + 1;
      } while (start <= row.codes.size());
    }
  }
}

}  // namespace
}  // namespace kalvero

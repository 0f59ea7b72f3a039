#include "metadata/value_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "metadata/tag_entry.h"
#include "metadata/text_format.h"
#include "metadata/value_decoders.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TFormatCase {
  std::string name;
  std::string raw;
  std::uint16_t format;
  std::string codes, formatString;
  bool bigEndian;
  std::string expected;
};

const std::string kOrientation = "1:Normal,3:Rotated 180\u00B0,6:CounterClockwise 90\u00B0,8:Clockwise 90\u00B0";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

const std::vector<TFormatCase> kFormatCases = {
    {"Byte", Bytes({7}), 1, "", "", false, "7"},
    {"ShortLittleEndian", Bytes({2, 1}), 3, "", "", false, "258"},
    {"ShortBigEndian", Bytes({1, 2}), 3, "", "", true, "258"},
    {"LongAllOnesIsSigned", Bytes({255, 255, 255, 255}), 4, "", "", false, "-1"},
    {"SignedByteShownUnsigned", Bytes({255}), 6, "", "", false, "255"},
    {"SignedShortShownUnsigned", Bytes({255, 255}), 8, "", "", false, "65535"},
    {"Rational", Bytes({0, 0, 0, 28, 0, 0, 0, 10}), 5, "", "", true, "28/10"},
    {"SignedRational", Bytes({255, 255, 255, 255, 3, 0, 0, 0}), 10, "", "", false, "-1/3"},
    {"ApertureShownWithOneDecimal", Bytes({28, 0, 0, 0, 10, 0, 0, 0}), 5, "", "F%0.1f", false, "F2.8"},
    {"ExposureTakesTheText", Bytes({1, 0, 0, 0, 60, 0, 0, 0}), 5, "", "%s sec", false, "1/60 sec"},
    {"ResolutionPaddedToWidth", Bytes({7, 0, 0, 0, 1, 0, 0, 0}), 5, "", "%5.2f", false, " 7.00"},
    {"ZeroDenominatorFormatsZero", Bytes({7, 0, 0, 0, 0, 0, 0, 0}), 5, "", "%5.2f", false, " 0.00"},
    {"CodeLabel", Bytes({6, 0}), 3, kOrientation, "", false, "CounterClockwise 90\u00B0"},
    {"CodeWithoutLabel", Bytes({5, 0}), 3, kOrientation, "", false, ""},
    {"LabelsOfEveryComponent", Bytes({1, 0, 3, 0}), 3, kOrientation, "", false, "Normal, Rotated 180\u00B0"},
    {"Float", Bytes({0, 0, 128, 63}), 11, "", "", false, "-9999.99"},
    {"Double", std::string(8, '\0'), 12, "", "", false, "-9999.99"},
    {"Undefined", "ab", 7, "", "", false, "?, ?"},
    {"EightOfNineComponents", Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}), 1, "", "", false, "1, 2, 3, 4, 5, 6, 7, 8"},
    {"PartialComponentDropped", Bytes({1, 0, 2}), 3, "", "", false, "1"},
    {"NoWholeComponent", Bytes({1}), 3, "", "", false, ""},
    {"TypeZero", "abc", 0, "", "", false, "0"},
    {"TypeOutOfRange", "abc", 13, "", "", false, "0"},
};

class FormatValueTest : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatValueTest, ShowsTheValue) {
  const TFormatCase& c = GetParam();
  EXPECT_EQ(FormatValue(c.raw, c.format, c.codes, c.formatString, c.bigEndian), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatValueTest, testing::ValuesIn(kFormatCases), TCaseName());

TEST(ToNumber, ReadsIntegersRationalsAndNothingElse) {
  EXPECT_EQ(ToNumber(Bytes({0xB8, 0x0B}), 3, false), 3000);
  EXPECT_EQ(ToNumber(Bytes({255, 255, 255, 255}), 4, true), -1);
  EXPECT_EQ(ToNumber(Bytes({1, 0, 0, 0, 2, 0, 0, 0}), 4, false), 1) << "more than 4 bytes keep the low 32 bits";
  EXPECT_EQ(ToNumber(Bytes({0, 0, 0, 28, 0, 0, 0, 10}), 5, true), 2.8);
  EXPECT_EQ(ToNumber(Bytes({0, 0, 0, 28, 0, 0, 0, 0}), 5, true), 0);
  EXPECT_EQ(ToNumber(Bytes({0, 0, 0, 28}), 5, true), 0);
  EXPECT_EQ(ToNumber(Bytes({0, 0, 128, 63}), 11, false), 0);
  EXPECT_EQ(ToNumber("12", 2, false), 0);
  EXPECT_EQ(ToNumber("12", 99, false), 0);
}

TEST(Printable, CutsTo50AndDotsControlCharacters) {
  EXPECT_EQ(Printable(std::string(60, 'x')), std::string(50, 'x'));
  EXPECT_EQ(Printable(std::string("a\0b\x1F\x7F\x80", 6)), "a.b.\x7F\x80");
}

TEST(DecodeLabel, FindsTheTrimmedValue) {
  EXPECT_EQ(DecodeLabel("0:Auto,1:Manual", " 1 "), "Manual");
  EXPECT_EQ(DecodeLabel("0:Auto,1:Manual", "0"), "Auto");
  EXPECT_EQ(DecodeLabel("0:Auto,1:Manual", "2"), "");
  EXPECT_EQ(DecodeLabel("10:Flash,1:Daylight", "1"), "Daylight");
  // A blank after a comma belongs to the next value, which then never matches.
  EXPECT_EQ(DecodeLabel("1:Monochrome, 2:RGB", "2"), "");
}

TEST(ReadRationalText, ReadsWholeAndFraction) {
  EXPECT_DOUBLE_EQ(ReadRationalText("28/10"), 2.8);
  EXPECT_DOUBLE_EQ(ReadRationalText(" 1 1/2 "), 1.5);
  EXPECT_DOUBLE_EQ(ReadRationalText("-1/2"), -0.5);
  EXPECT_EQ(ReadRationalText("5"), 0);
  EXPECT_EQ(ReadRationalText("1/0"), 0);
  EXPECT_EQ(ReadRationalText("a/b"), 0);
  EXPECT_EQ(ReadRationalText(""), 0);
}

TEST(ReadIntegerText, AcceptsLeadingBlanksOnly) {
  EXPECT_EQ(ReadIntegerText(" 42"), 42);
  EXPECT_EQ(ReadIntegerText("-7"), -7);
  EXPECT_EQ(ReadIntegerText("+7"), 7);
  for (const char* bad : {"", "42 ", "4x", "+-7", "2147483648", "16, 0"}) EXPECT_THROW(ReadIntegerText(bad), EDecodeError) << bad;
}

struct TDecoderCase {
  std::string name;
  TValueDecoder decoder;
  std::string text, expected;
};

const std::vector<TDecoderCase> kDecoderCases = {
    {"ComponentLetters", DecodeComponentLetters, std::string("\"\1\2\3\0\"", 6), "YCbCr"},
    {"ComponentLettersRgb", DecodeComponentLetters, "\"\4\5\6\"", "RGB"},
    {"ComponentLettersEmpty", DecodeComponentLetters, "", ""},
    {"ExposureSixtyFourth", DecodeExposureTime, "6/1", "0.0156 sec (1/64)"},
    {"ExposureOneSecond", DecodeExposureTime, "0/1", "1.0000 sec"},
    {"ExposureTwoSeconds", DecodeExposureTime, "-1/1", "2.0000 sec"},
    {"ExposureHalfSecond", DecodeExposureTime, "1/1", "0.5000 sec (1/2)"},
    {"ExposureTooShortForDenominator", DecodeExposureTime, "2147483647/1", "0.0000 sec"},
    {"FlashOff", DecodeFlashBits, "0", "Off"},
    {"FlashFiredWithReturnAutoRedEye", DecodeFlashBits, "95", "On, strobe return, auto mode, red-eye reduction"},
    {"FlashForcedUnknownReturn", DecodeFlashBits, " 11", "On, UNKNOWN, forced"},
    {"FlashSuppressedNoReturn", DecodeFlashBits, "20", "Off, no strobe return, surpressed"},
    {"NoFlashFunction", DecodeFlashBits, "32", "Off, no flash function"},
    {"UserComment", DecodeUserComment, "12345678Hello", "Hello"},
    {"UserCommentShort", DecodeUserComment, "1234", ""},
    {"CharacterCodes", DecodeCharacterCodes, "84, 0, 101, 0, 115, 0, 116, 0", "Test"},
    {"CharacterCodesZeroLowByte", DecodeCharacterCodes, "256, 0, 65", "A"},
    {"Degrees", DecodeDegrees, "50/1, 30/1, 15/1", "50 Degrees 30 Minutes 15 Seconds"},
    {"DegreesWithDecimalMinutes", DecodeDegrees, "50/1, 3050/100, 0/1", "50 Degrees 30 Minutes 30 Seconds"},
    {"DegreesMissingItems", DecodeDegrees, "7/1", "7 Degrees 0 Minutes 0 Seconds"},
    {"TimeOfDay", DecodeTimeOfDay, "14/1, 5/1, 9/1", "14:5:9"},
};

class DecoderTest : public testing::TestWithParam<TDecoderCase> {};

TEST_P(DecoderTest, ShowsTheText) { EXPECT_EQ(GetParam().decoder(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Decoders, DecoderTest, testing::ValuesIn(kDecoderCases), TCaseName());

TEST(Decoders, IntegerReadersFailOnText) {
  EXPECT_THROW(DecodeFlashBits("16, 0"), EDecodeError);
  EXPECT_THROW(DecodeFlashBits(""), EDecodeError);
  EXPECT_THROW(DecodeCharacterCodes(""), EDecodeError);
  EXPECT_THROW(DecodeCharacterCodes("1/2"), EDecodeError);
}

TEST(FormatText, AppliesOnlyMatchingDirectives) {
  EXPECT_EQ(FormatText("%5.2f mm", {2.8}), " 2.80 mm");
  EXPECT_EQ(FormatText("%0.0f:%0.0f", {14.0, 5.4}), "14:5");
  EXPECT_EQ(FormatText("(1/%d) 100%%", {std::int64_t{64}}), "(1/64) 100%");
  EXPECT_EQ(FormatText("%s sec", {std::string_view("1/60")}), "1/60 sec");
  EXPECT_EQ(FormatText("%d %s %x %", {2.5}), "%d %s %x %");
  EXPECT_EQ(FormatText("%f", {}), "%f");
  EXPECT_EQ(FormatText("%9999999999.99999999999f", {1.0}).size(), 66u);
}

}  // namespace
}  // namespace kalvero

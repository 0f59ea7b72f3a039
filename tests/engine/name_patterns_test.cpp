#include "engine/name_patterns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fixed_clock.h"

#include "tests/support/case_name.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

struct TReplaceCase {
  std::string name, text, token, replacement, expected;
};

const std::vector<TReplaceCase> kReplaceCases = {
    {"EveryOccurrence", "DD-DD", "DD", "07", "07-07"},
    {"ThreeLettersTakeOneMatch", "DDD", "DD", "07", "07D"},
    {"FiveLettersTakeOneMatch", "YYYYY", "YYYY", "2004", "2004Y"},
    {"EightLettersTakeTwoMatches", "YYYYYYYY", "YYYY", "2004", "20042004"},
    {"InsertedTextIsNotScannedAgain", "DD", "DD", "DDD", "DDD"},
    {"InsertedTextCannotCompleteAMatch", "MDD", "DD", "M", "MM"},
    {"LowerCaseIsNoToken", "dd.mm.yyyy", "DD", "07", "dd.mm.yyyy"},
    {"EmptyReplacementRemoves", "aFFFb", "FFF", "", "ab"},
    {"NoOccurrenceKeepsText", "Bild", "FFF", "001", "Bild"},
    {"EmptyText", "", "SS", "33", ""},
};

class ReplaceTokenTest : public testing::TestWithParam<TReplaceCase> {};

TEST_P(ReplaceTokenTest, ReplacesLeftToRightWithoutRescanning) {
  const auto& c = GetParam();
  EXPECT_EQ(ReplaceToken(c.text, c.token, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(TokenReplacement, ReplaceTokenTest, testing::ValuesIn(kReplaceCases), TCaseName());

struct TDateCase {
  std::string name;
  std::string datePart;
  bool valid;
  TDate date;
};

const std::vector<TDateCase> kDateCases = {
    {"FullDate", "2004:08:07", true, {2004, 8, 7}},
    {"OneMoreColonAllowed", "2004:08:07:", true, {2004, 8, 7}},
    {"TwoMoreColonsRefused", "2004:08:07::", false, {}},
    {"SingleDigitMonthAndDay", "2004:8:7", true, {2004, 8, 7}},
    {"LeadingZerosAreDigits", "02004:0008:00007", true, {2004, 8, 7}},
    {"AllZeros", "0000:00:00", false, {}},
    {"MonthThirteen", "2004:13:01", false, {}},
    {"DayZero", "2004:08:00", false, {}},
    {"April31", "2004:04:31", false, {}},
    {"LeapDay2004", "2004:02:29", true, {2004, 2, 29}},
    {"NoLeapDay2003", "2003:02:29", false, {}},
    {"NoLeapDay1900", "1900:02:29", false, {}},
    {"LeapDay2000", "2000:02:29", true, {2000, 2, 29}},
    {"Feb30", "2004:02:30", false, {}},
    {"Dashes", "2004-08-07", false, {}},
    {"Empty", "", false, {}},
    {"YearOnly", "2004", false, {}},
    {"TrailingLetter", "2004:08:07x", false, {}},
    {"MissingMonth", "2004::07", false, {}},
    {"FifthYearDigitIsNoSeparator", "20041:08:07", false, {}},
    {"ReadingStopsAt1000ThenSeparator", "01000:1:1", true, {1000, 1, 1}},
    {"DayStopsAt1000", "2004:08:1000", false, {}},
    {"LastYear", "9999:12:31", true, {9999, 12, 31}},
    {"YearOne", "0001:01:01", true, {1, 1, 1}},
    {"TwoDigitYearTakesCurrentCentury", "04:08:07", true, {2004, 8, 7}},
    {"OneDigitYearTakesCurrentCentury", "4:08:07", true, {2004, 8, 7}},
    {"ThreeDigitYearIsTakenAsWritten", "004:08:07", true, {4, 8, 7}},
    {"TwoNumbersAreMonthAndDayOfThisYear", "08:07", true, {2026, 8, 7}},
    {"TwoNumbersThenColonNeedAThird", "08:07:", false, {}},
    {"TwoNumbersFeb29InNonLeapClockYear", "02:29", false, {}},
    {"LeadingColon", ":08:07", false, {}},
    {"Blank", "2004:08:07 ", false, {}},
};

class FormatDateTest : public testing::TestWithParam<TDateCase> {};

TEST_P(FormatDateTest, AcceptsOnlyCompleteGregorianDates) {
  const auto& c = GetParam();
  if (c.valid) {
    EXPECT_EQ(formatdate(c.datePart, kClock), c.date);
  } else {
    EXPECT_THROW(formatdate(c.datePart, kClock), EConvertError);
  }
}

INSTANTIATE_TEST_SUITE_P(DateGrammar, FormatDateTest, testing::ValuesIn(kDateCases), TCaseName());

TEST(FormatDate, TwoNumberFormFollowsTheClocksYear) {
  EXPECT_EQ(formatdate("02:29", TFixedClock({2028, 1, 1})), (TDate{2028, 2, 29}));
  EXPECT_EQ(formatdate("99:01:01", TFixedClock({1999, 1, 1})), (TDate{1999, 1, 1}));
}

TEST(CorrectDate, ValidatesOnlyTheDatePartBeforeTheFirstBlank) {
  EXPECT_TRUE(correctdate("2004:08:07 16:45:33", kClock));
  EXPECT_TRUE(correctdate("2004:8:7 10:00:00", kClock));
  EXPECT_TRUE(correctdate("2004:08:07 garbage", kClock));
  EXPECT_FALSE(correctdate("2004:02:30 10:00:00", kClock));
  EXPECT_FALSE(correctdate("0000:00:00 00:00:00", kClock));
  EXPECT_FALSE(correctdate("2004:08:07", kClock)) << "no blank: empty date part";
  EXPECT_FALSE(correctdate(" 2004:08:07 16:45:33", kClock));
  EXPECT_FALSE(correctdate("", kClock));
  EXPECT_FALSE(correctdate("    :  :     :  :  ", kClock));
}

struct TNameCase {
  std::string name, pattern, dateText, expected;
};

const std::vector<TNameCase> kTimesCases = {
    {"DefaultPattern", "DD.MM.YYYY - HH.NN.SS", "2004:08:07 16:45:33", "07.08.2004 - 16.45.33"},
    {"NumberTokenStays", "FFF_HHNNSS", "2004:08:07 16:45:33", "FFF_164533"},
    {"LowerCaseStays", "dd.mm.yyyy HHNNSS", "2004:08:07 16:45:33", "dd.mm.yyyy 164533"},
    {"TripleD", "DDD", "2004:08:07 16:45:33", "07D"},
    {"FiveY", "YYYYY", "2004:08:07 16:45:33", "2004Y"},
    {"ShortNumbersReadFixedPositions", "YYYY-MM-DD", "2004:8:7 10:00:00", "2004-8:- 1"},
    {"TimeCutShortLeavesMissingOut", "HH.NN.SS", "2004:08:07 16:4", "16.4."},
    {"DateOnlyLeavesTimeEmpty", "YYYY HHNNSS", "2004:08:07", "2004 "},
    {"EmptyDateText", "DD.MM.YYYY - HH.NN.SS", "", ".. - .."},
    {"TwentyCharacters", "SS", "2004:08:07 16:45:339", "33"},
};

class BuildTimesInStringTest : public testing::TestWithParam<TNameCase> {};

TEST_P(BuildTimesInStringTest, FillsTokensFromFixedPositions) {
  EXPECT_EQ(BuildTimesInString(GetParam().pattern, GetParam().dateText), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FileNames, BuildTimesInStringTest, testing::ValuesIn(kTimesCases), TCaseName());

const std::vector<TNameCase> kFolderCases = {
    {"DefaultPattern", "YYYY.MM.DD", "2004:08:07 16:45:33", "2004.08.07"},
    {"YearOnly", "YYYY", "2005:01:02 00:00:00", "2005"},
    {"TimeTokensAreNotFolderTokens", "YYYY HH", "2004:08:07 16:45:33", "2004 HH"},
    {"ShortNumbersCompactTogether", "DD-MM-YYYY", "2004:8:7 10:00:00", "-87-2004"},
    {"NoBlankGivesEmptyDatePart", "YYYY.MM.DD", "2004:08:07", ".."},
    {"EmptyDateText", "YYYYMMDD", "", ""},
};

class BuildFolderNameTest : public testing::TestWithParam<TNameCase> {};

TEST_P(BuildFolderNameTest, FillsTokensFromTheCompactDate) {
  EXPECT_EQ(BuildFolderName(GetParam().pattern, GetParam().dateText), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FolderNames, BuildFolderNameTest, testing::ValuesIn(kFolderCases), TCaseName());

TEST(FormatSequenceNumber, PadsToTheWidthAndNeverCuts) {
  EXPECT_EQ(FormatSequenceNumber(0, 3), "000");
  EXPECT_EQ(FormatSequenceNumber(7, 3), "007");
  EXPECT_EQ(FormatSequenceNumber(123, 3), "123");
  EXPECT_EQ(FormatSequenceNumber(1234, 3), "1234");
  EXPECT_EQ(FormatSequenceNumber(0, 1), "0");
  EXPECT_EQ(FormatSequenceNumber(9, 2), "09");
  EXPECT_EQ(FormatSequenceNumber(5, 0), "5");
}

struct TPreviewCase {
  std::string name, filePattern, folderPattern;
  bool dateFolders;
  std::string label5, expected;
};

const std::vector<TPreviewCase> kPreviewCases = {
    {"DefaultsWithDateFolders", "DD.MM.YYYY - HH.NN.SS", "YYYY.MM.DD", true, "",
     "2004.08.07 / 07.08.2004 - 16.45.33.jpg"},
    {"DefaultsWithoutDateFolders", "DD.MM.YYYY - HH.NN.SS", "YYYY.MM.DD", false, "",
     "07.08.2004 - 16.45.33.jpg"},
    {"NumberWithoutScanIsThreeDigits", "Bild FFF", "YYYY", false, "", "Bild 001.jpg"},
    {"NumberWidthFromOneDigitCount", "Bild FFF", "YYYY", false, "7", "Bild 1.jpg"},
    {"NumberWidthFromTwoDigitCount", "FFF-FFF", "YYYY", false, "42", "01-01.jpg"},
    {"NumberWidthFromFourDigitCount", "FFF", "YYYY", false, "1500", "0001.jpg"},
    {"FolderTimeTokensStay", "HHNNSS", "YYYY HH", true, "3", "2004 HH / 164533.jpg"},
    {"EmptyPatterns", "", "", true, "", " / .jpg"},
};

class NamePreviewTest : public testing::TestWithParam<TPreviewCase> {};

TEST_P(NamePreviewTest, ShowsTheSampleDateAndNumberOne) {
  const auto& c = GetParam();
  EXPECT_EQ(NamePreview(c.filePattern, c.folderPattern, c.dateFolders, c.label5), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Preview, NamePreviewTest, testing::ValuesIn(kPreviewCases), TCaseName());

TEST(FilterPatternKey, DropsTheNineCharactersFileNamesCannotHold) {
  for (char32_t key : std::u32string_view(U"\"*/:<>?\\|")) EXPECT_EQ(FilterPatternKey(key), U'\0');
  for (char32_t key : std::u32string_view(U".-_ aZ09\b\r\u00e4\u20ac"))
    EXPECT_EQ(FilterPatternKey(key), key);
}

}  // namespace
}  // namespace kalvero

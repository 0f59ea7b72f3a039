#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TReadCase {
  std::string name, content, section, key, defaultValue, expected;
};

const std::string kLongLine(100000, 'x');

const std::vector<TReadCase> kReadCases = {
    {"PlainValue", "[pref]\r\nlng=German\r\n", "pref", "lng", "English", "German"},
    {"BlanksAroundNameAndValue", "[pref]\r\n \t lng \t=  German \t\r\n", "pref", "lng", "", "German"},
    {"BlanksInsideValueKept", "[pref]\r\nfile=DD.MM.YYYY - HH.NN.SS\r\n", "pref", "file", "", "DD.MM.YYYY - HH.NN.SS"},
    {"DoubleQuotesRemovedBlanksInsideKept", "[pref]\r\nlng=\"  German \"\r\n", "pref", "lng", "", "  German "},
    {"SingleQuotesRemoved", "[pref]\r\nlng='German'\r\n", "pref", "lng", "", "German"},
    {"OnlyOnePairOfQuotesRemoved", "[pref]\r\nlng=\"\"x\"\"\r\n", "pref", "lng", "", "\"x\""},
    {"MismatchedQuotesKept", "[pref]\r\nlng=\"x'\r\n", "pref", "lng", "", "\"x'"},
    {"QuoteAtOneEndKept", "[pref]\r\nlng=\"x\r\n", "pref", "lng", "", "\"x"},
    {"LoneQuoteKept", "[pref]\r\nlng=\"\r\n", "pref", "lng", "", "\""},
    {"EmptyValueIsNoDefault", "[pref]\r\nsource=\r\n", "pref", "source", "C:", ""},
    {"FirstEqualsSignDivides", "[pref]\r\nfile=a=b\r\n", "pref", "file", "", "a=b"},
    {"SectionInAnyCase", "[PrEf]\r\nlng=German\r\n", "pref", "lng", "", "German"},
    {"KeyInAnyCase", "[pref]\r\nLNG=German\r\n", "pref", "lng", "", "German"},
    {"BlanksInsideHeader", "  [ pref ] trailing\r\nlng=German\r\n", "pref", "lng", "", "German"},
    {"FirstOfDuplicateKeysWins", "[pref]\r\nlng=German\r\nlng=French\r\n", "pref", "lng", "", "German"},
    {"LaterSectionOfSameNameUnread", "[pref]\r\na=1\r\n[other]\r\n[PREF]\r\nlng=German\r\n", "pref", "lng", "English",
     "English"},
    {"ByteOrderMarkSkipped", "\xEF\xBB\xBF[pref]\r\nlng=German\r\n", "pref", "lng", "", "German"},
    {"LineFeedOnly", "[other]\nlng=French\n[pref]\nlng=German\n", "pref", "lng", "", "German"},
    {"NoFinalLineEnd", "[pref]\r\nlng=German", "pref", "lng", "", "German"},
    {"MissingSection", "[other]\r\nlng=German\r\n", "pref", "lng", "English", "English"},
    {"MissingKey", "[pref]\r\ncb1=0\r\n", "pref", "lng", "English", "English"},
    {"KeyOfNextSectionNotFound", "[pref]\r\n[other]\r\nlng=German\r\n", "pref", "lng", "English", "English"},
    {"KeyBeforeFirstSectionNotFound", "lng=German\r\n[pref]\r\n", "pref", "lng", "English", "English"},
    {"CommentIsNoKey", "[pref]\r\n;lng=German\r\n", "pref", ";lng", "English", "English"},
    {"LineWithoutEqualsIsNoKey", "[pref]\r\nlng\r\n", "pref", "lng", "English", "English"},
    {"UnclosedHeaderIsNoSection", "[pref\r\nlng=German\r\n", "pref", "lng", "English", "English"},
    {"BytesThatAreNoUtf8", "[\xE4]\r\n\xFF=\xFE\x80\xC3\r\n", "\xE4", "\xFF", "", "\xFE\x80\xC3"},
    {"OnlyAsciiLettersFolded", "[\xE4]\r\nlng=German\r\n", "\xC4", "lng", "English", "English"},
    {"VeryLongLinesAround", kLongLine + "\r\n[pref]\r\n" + kLongLine + "\r\nlng=German\r\n" + kLongLine, "pref", "lng",
     "", "German"},
    {"DefaultLosesTrailingBlanks", "", "pref", "lng", " English \t", " English"},
    {"NulByteInValueKept", std::string("[pref]\r\nlng=a\0b\r\n", 17), "pref", "lng", "", std::string("a\0b", 3)},
};

class IniReadTest : public testing::TestWithParam<TReadCase> {};

TEST_P(IniReadTest, AnswersAsTheProfileReader) {
  const TReadCase& row = GetParam();
  EXPECT_EQ(TIniFile(row.content).ReadValue(row.section, row.key, row.defaultValue), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IniReadTest, testing::ValuesIn(kReadCases), TCaseName());

TEST(IniFile, ValueAndDefaultAreCutTo2047Bytes) {
  const std::string long3000 = std::string(2000, 'a') + std::string(1000, 'b');
  const TIniFile ini("[pref]\r\nsource=\"" + long3000 + "\"\r\n");
  EXPECT_EQ(ini.ReadValue("pref", "source", ""), long3000.substr(0, 2047));
  EXPECT_EQ(ini.ReadValue("pref", "target", long3000), long3000.substr(0, 2047));
}

struct TWriteCase {
  std::string name, before, key, value, after;
};

const std::vector<TWriteCase> kWriteCases = {
    {"ReplaceKeepsEveryOtherLine",
     "; top\r\n[other]\nlng = x \n[pref]\r\n  lng = German ; note\r\nsource=/a\n\n[last]\r\ny=2",  //
     "lng", "French",
     "; top\r\n[other]\nlng = x \n[pref]\r\nlng=French\r\nsource=/a\n\n[last]\r\ny=2"},
    {"ReplaceKeepsSpellingOfKey", "[PREF]\r\nLnG=German\r\n", "lng", "French", "[PREF]\r\nLnG=French\r\n"},
    {"ReplaceFirstOfDuplicates", "[pref]\r\na=1\r\na=2\r\n", "A", "9", "[pref]\r\na=9\r\na=2\r\n"},
    {"ReplaceLastLineWithoutEnd", "[pref]\r\na=1", "a", "9", "[pref]\r\na=9\r\n"},
    {"ReplaceInLineFeedFileWritesCrLf", "[pref]\na=1\nb=2\n", "a", "9", "[pref]\na=9\r\nb=2\n"},
    {"AddKeyAfterLastKeyOfSection", "[pref]\r\na=1\r\n\r\n[other]\r\nb=2\r\n", "c", "3",
     "[pref]\r\na=1\r\nc=3\r\n\r\n[other]\r\nb=2\r\n"},
    {"AddKeyBeforeCommentOfNextSection", "[pref]\r\na=1\r\n; about other\r\n[other]\r\n", "c", "3",
     "[pref]\r\na=1\r\nc=3\r\n; about other\r\n[other]\r\n"},
    {"AddKeyToSectionWithoutKeys", "[pref]\r\n\r\n[other]\r\n", "c", "3", "[pref]\r\nc=3\r\n\r\n[other]\r\n"},
    {"AddKeyAfterHeaderWithoutEnd", "[pref]", "c", "3", "[pref]\r\nc=3\r\n"},
    {"AddKeyAfterLastLineWithoutEnd", "[pref]\r\na=1", "c", "3", "[pref]\r\na=1\r\nc=3\r\n"},
    {"AddSectionAtEnd", "[other]\r\nb=2\r\n", "c", "3", "[other]\r\nb=2\r\n[pref]\r\nc=3\r\n"},
    {"AddSectionAfterLastLineWithoutEnd", "[other]\r\nb=2", "c", "3", "[other]\r\nb=2\r\n[pref]\r\nc=3\r\n"},
    {"NewFileFromScratch", "", "c", "3", "[pref]\r\nc=3\r\n"},
    {"ByteOrderMarkKept", "\xEF\xBB\xBF[pref]\n", "c", "3", "\xEF\xBB\xBF[pref]\nc=3\r\n"},
    {"EmptyValue", "[pref]\r\nsource=/a\r\n", "source", "", "[pref]\r\nsource=\r\n"},
};

class IniWriteTest : public testing::TestWithParam<TWriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyTheLinesOfTheKey) {
  const TWriteCase& row = GetParam();
  TIniFile ini(row.before);
  EXPECT_FALSE(ini.WriteValue("pref", row.key, row.value));
  EXPECT_EQ(ini.Content(), row.after);
  EXPECT_EQ(ini.ReadValue("pref", row.key, "default"), row.value);
}

INSTANTIATE_TEST_SUITE_P(Edits, IniWriteTest, testing::ValuesIn(kWriteCases), TCaseName());

TEST(IniFile, RefusesWhatCouldNotBeReadBack) {
  const std::string before = "[pref]\r\nlng=German\r\n";
  TIniFile ini(before);
  for (const auto& [section, key, value] : std::vector<std::array<std::string, 3>>{
           {"pref", "source", "/a\nlng=French"}, {"pref", "source", "/a\r"}, {"pref", "", "x"},
           {"pref", " lng", "x"}, {"pref", "lng ", "x"}, {"pref", "a=b", "x"}, {"pref", ";lng", "x"},
           {"pref", "[lng", "x"}, {"pref", "a\nb", "x"}, {"", "lng", "x"}, {"pr]ef", "lng", "x"},
           {" pref", "lng", "x"}, {"pr\nef", "lng", "x"}}) {
    EXPECT_EQ(ini.WriteValue(section, key, value), std::errc::invalid_argument) << section << "/" << key;
  }
  EXPECT_EQ(ini.Content(), before);
}

TEST(IniFile, EveryPrefixOfAFileIsReadAndKeptByteForByte) {
  const std::string file =
      "\xEF\xBB\xBF; comment\r\n[pref]\r\nlng = \"German\"\r\n\r\n[x]\nsource=\xFF\xFE\r\r\n[y\n=\n'";
  for (std::size_t length = 0; length <= file.size(); ++length) {
    const std::string prefix = file.substr(0, length);
    TIniFile ini(prefix);
    EXPECT_EQ(ini.Content(), prefix) << length;
    ini.ReadValue("pref", "lng", "");
    ini.ReadValue("x", "source", "");
    EXPECT_FALSE(ini.WriteValue("x", "source", "/b")) << length;
    EXPECT_EQ(ini.ReadValue("x", "source", ""), "/b") << length;
  }
}

TEST(IniFile, SevenKeysIntoNothingGiveTheDefaultSettingsFile) {
  TIniFile ini;
  for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
           {"lng", "English"}, {"source", ""}, {"target", ""}, {"cb1", "1"}, {"cb2", "1"},
           {"folder", "YYYY.MM.DD"}, {"file", "DD.MM.YYYY - HH.NN.SS"}})
    ASSERT_FALSE(ini.WriteValue("pref", key, value));
  EXPECT_EQ(ini.Content(),
            "[pref]\r\nlng=English\r\nsource=\r\ntarget=\r\ncb1=1\r\ncb2=1\r\nfolder=YYYY.MM.DD\r\n"
            "file=DD.MM.YYYY - HH.NN.SS\r\n");
}

}  // namespace
}  // namespace kalvero

#include "localisation/multilanguage_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "components/charsets.h"
#include "components/colors.h"
#include "components/cursors.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TSectionCase {
  std::string name;
  TTextLines script;
  std::string language;
  TTextLines expected;
};

const TTextLines kTwoSections = {"top = 'above'", "[German]", "a = 'de'", "", "[English]", "a = 'en'"};

const std::vector<TSectionCase> kSectionCases = {
    {"HeaderMatchesLowerCaseLanguage", kTwoSections, "german", {"a = 'de'"}},
    {"HeaderMatchesUpperCaseLanguage", kTwoSections, "ENGLISH", {"a = 'en'"}},
    {"EmptyLanguageTakesLinesAboveFirstHeader", kTwoSections, "", {"top = 'above'"}},
    {"UnknownLanguageSelectsNothing", kTwoSections, "Klingon", {}},
    {"BlankInsideBracketsIsPartOfTheName", {"[ German]", "a = 1"}, "German", {}},
    {"BlankInsideBracketsMatchesExactly", {"[ German]", "a = 1"}, " german", {"a = 1"}},
    {"HeaderWithoutCloseBracketNamesEmptySection", {"[German", "a = 1"}, "", {"a = 1"}},
    {"EmptyBracketsNameEmptySection", {"[German]", "a = 1", "[]", "b = 2"}, "", {"b = 2"}},
    {"TextAfterCloseBracketIsIgnored", {"[German] comment", "a = 1"}, "German", {"a = 1"}},
    {"HeaderMayBeIndented", {"  \t[German]", "a = 1"}, "German", {"a = 1"}},
    {"EmptyLinesDoNotEndASection", {"[German]", "", "   ", "a = 1"}, "German", {"a = 1"}},
    {"CommentLinesAreSkippedEverywhere", {"[German]", "; Label1.Caption = 'x'", "  ;b = 2", "a = 1"}, "German", {"a = 1"}},
    {"EntryLinesAreTrimmed", {"[German]", " \t a = 1 \r"}, "German", {"a = 1"}},
    {"LinesWithoutEqualsAreKept", {"[German]", "no entry"}, "German", {"no entry"}},
    {"RepeatedHeadersFormOneSection",
     {"[English]", "a = 1", "[German]", "a = 2", "[english]", "b = 3"}, "English", {"a = 1", "b = 3"}},
    {"AccentedLettersMustMatchExactly", {"[Fran\xC3\xA7" "ais]", "a = 1"}, "FRAN\xC3\x87" "AIS", {}},
};

class ExtractSectionTest : public testing::TestWithParam<TSectionCase> {};

TEST_P(ExtractSectionTest, SelectsTheEntryLinesOfOneLanguage) {
  TTextLines destination = {"stale line"};
  ExtractSection(GetParam().script, destination, GetParam().language);
  EXPECT_EQ(destination, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ScriptFormat, ExtractSectionTest, testing::ValuesIn(kSectionCases), TCaseName());

struct TEntryCase {
  std::string name;
  std::string line;
  bool isEntry;
  std::string entryName;
  std::string value;
};

const std::vector<TEntryCase> kEntryCases = {
    {"QuotedValue", "Label1.Caption = 'Source folder:'", true, "Label1.Caption", "Source folder:"},
    {"BlanksInsideQuotesKept", "filesFound = ' JPEG-Files found!'", true, "filesFound", " JPEG-Files found!"},
    {"TrailingBlankInsideQuotesKept", "msgNoExif = 'data: '", true, "msgNoExif", "data: "},
    {"TwoApostrophesGiveEmpty", "Label1.Caption = ''", true, "Label1.Caption", ""},
    {"LoneApostropheGivesEmpty", "Label1.Caption = '", true, "Label1.Caption", ""},
    {"ApostropheOnlyAtStartIsKept", "a = 'open", true, "a", "'open"},
    {"ApostropheOnlyAtEndIsKept", "a = close'", true, "a", "close'"},
    {"InnerApostropheIsNoEscape", "Button2.Caption = 'Sortez l'application'", true, "Button2.Caption", "Sortez l'application"},
    {"DoubledApostrophesStayDoubled", "a = 'it''s'", true, "a", "it''s"},
    {"UnquotedValueUnchanged", "a =  plain text  ", true, "a", "plain text"},
    {"SplitsAtFirstEquals", "edit2hint = '<Font face=\"Arial\">'", true, "edit2hint", "<Font face=\"Arial\">"},
    {"NameIsTrimmed", " \tkey\t= v", true, "key", "v"},
    {"EmptyName", "= v", true, "", "v"},
    {"EmptyValue", "key =", true, "key", ""},
    {"BackslashNBecomesLineBreak", "a = 'one\\ntwo'", true, "a", "one\r\ntwo"},
    {"EveryBackslashNIsReplaced", "a = \\n\\n", true, "a", "\r\n\r\n"},
    {"BackslashBeforeBackslashN", "a = x\\\\ny", true, "a", "x\\\r\ny"},
    {"OtherBackslashesStay", "a = C:\\Fotos\\b", true, "a", "C:\\Fotos\\b"},
    {"QuotesRemovedBeforeLineBreaks", "a = '\\n'", true, "a", "\r\n"},
    {"NoEqualsIsNoEntry", "just words", false, "", ""},
};

class SplitEntryTest : public testing::TestWithParam<TEntryCase> {};

TEST_P(SplitEntryTest, ReadsNameAndValue) {
  const auto& c = GetParam();
  const auto entry = SplitEntry(c.line);
  ASSERT_EQ(entry.has_value(), c.isEntry);
  if (!entry) return;
  EXPECT_EQ(entry->name, c.entryName);
  EXPECT_EQ(entry->value, c.value);
}

INSTANTIATE_TEST_SUITE_P(EntrySyntax, SplitEntryTest, testing::ValuesIn(kEntryCases), TCaseName());

struct TIntegerCase {
  std::string name;
  std::string text;
  std::optional<std::int32_t> expected;
};

const std::vector<TIntegerCase> kIntegerCases = {
    {"Decimal", "42", 42},
    {"LeadingBlanks", "   42", 42},
    {"PlusSign", "+7", 7},
    {"MinusSign", "-7", -7},
    {"LeadingZeros", "007", 7},
    {"Zero", "0", 0},
    {"HexAfterDollar", "$1F", 31},
    {"HexAfterLowerX", "x1f", 31},
    {"HexAfterUpperX", "X1F", 31},
    {"HexAfter0x", "0x1F", 31},
    {"HexAfter0X", "0X1f", 31},
    {"NegativeHex", "-$10", -16},
    {"BlanksSignAndHex", "  -0x10", -16},
    {"LargestNumber", "2147483647", 2147483647},
    {"SmallestNumber", "-2147483648", INT32_MIN},
    {"LargestHex", "$7FFFFFFF", 0x7FFFFFFF},
    {"SmallestHex", "-$80000000", INT32_MIN},
    {"CursorName", "crHandPoint", crHandPoint},
    {"CursorNameAnyCase", "CRHOURGLASS", crHourGlass},
    {"ColorName", "clRed", 0xFF0000},
    {"SystemColorName", "clinfotext", clInfoText},
    {"ColorNone", "clNone", clNone},
    {"CharsetName", "DEFAULT_CHARSET", kDefaultCharset},
    {"HashHexIsRed", "#FF0000", clRed},
    {"HashHexAsWrittenNotReordered", "#0000FF", clBlue},
    {"HashHexLowerCase", "#ff", 255},
    {"HashLargestHex", "#7FFFFFFF", 0x7FFFFFFF},
    {"Empty", "", std::nullopt},
    {"BlanksOnly", "  ", std::nullopt},
    {"TrailingBlank", "42 ", std::nullopt},
    {"LeadingTab", "\t42", std::nullopt},
    {"SignOnly", "-", std::nullopt},
    {"TwoSigns", "+-1", std::nullopt},
    {"BlankAfterSign", "- 1", std::nullopt},
    {"DollarOnly", "$", std::nullopt},
    {"PrefixOnly", "0x", std::nullopt},
    {"SignAfterDollar", "$-1", std::nullopt},
    {"HexLetterInDecimal", "12a", std::nullopt},
    {"NoHexDigit", "$1G", std::nullopt},
    {"FloatText", "1.5", std::nullopt},
    {"Exponent", "1e3", std::nullopt},
    {"JustAboveLargest", "2147483648", std::nullopt},
    {"JustBelowSmallest", "-2147483649", std::nullopt},
    {"HexAboveLargest", "$80000000", std::nullopt},
    {"HexAllOnes", "$FFFFFFFF", std::nullopt},
    {"ManyDigits", "99999999999999999999999", std::nullopt},
    {"HashOnly", "#", std::nullopt},
    {"HashWithSign", "#-1", std::nullopt},
    {"HashWithBlank", "# FF", std::nullopt},
    {"HashAboveLargest", "#80000000", std::nullopt},
    {"HashWithPrefix", "#0x10", std::nullopt},
    {"UnknownColorName", "clUltraviolet", std::nullopt},
    {"NameWithLeadingBlank", " clRed", std::nullopt},
    {"BooleanName", "True", std::nullopt},
    {"Word", "abc", std::nullopt},
};

class ParseIntegerValueTest : public testing::TestWithParam<TIntegerCase> {};

TEST_P(ParseIntegerValueTest, ReadsNumbersConstantNamesAndHashHex) {
  EXPECT_EQ(ParseIntegerValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(IntegerValues, ParseIntegerValueTest, testing::ValuesIn(kIntegerCases), TCaseName());

}  // namespace
}  // namespace kalvero

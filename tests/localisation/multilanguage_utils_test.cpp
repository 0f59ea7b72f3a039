#include "localisation/multilanguage_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(SplitLines, AcceptsLfAndCrLfAndDropsOnlyTheFinalLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\n\nc\n"), (TTextLines{"a", "b", "", "c"}));
  EXPECT_EQ(SplitLines("a"), (TTextLines{"a"}));
  EXPECT_EQ(SplitLines(""), TTextLines{});
}

}  // namespace
}  // namespace kalvero

// The hint text's character rules, tags and attribute values.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/case_name.h"
#include "ui/rich_hint/hint_tags.h"
#include "ui/rich_hint/hint_text.h"

namespace kalvero {
namespace {

struct TTextCase {
  std::string name;
  std::string text;
  std::string clean;
};

const std::vector<TTextCase> kCleanUps = {
    {"AmpersandBecomesTwo", "a&amp;b", "a&&b"},
    {"RepeatedUntilNoneIsLeft", "&amp;amp;quot;", "&&\""},
    {"AnsiCharactersAsUtf8", "&sect;&permil;&reg;&copy;&para;&trade;&euro;&quot;", "§‰®©¶™€\""},
    {"PieceEntitiesWait", "&nbsp;&lt;&gt;&AMP;", "&nbsp;&lt;&gt;&AMP;"},
    {"FirstHashTagUnwrapped", "<#a>b<#c>", "ab<#c>"},
    {"HashTagWithoutClose", "x<#ab", "xab"},
    {"CloseBeforeHashTagStays", "a>b<#c", "a>bc"},
    {"CarriageReturnBreaksLineFeedGoes", "a\r\nb\nc\rd", "a<BR>bc<BR>d"},
};

class HintCleanUpTest : public testing::TestWithParam<TTextCase> {};

TEST_P(HintCleanUpTest, CleansUpBeforeLayout) { EXPECT_EQ(CleanHintText(GetParam().text), GetParam().clean); }

INSTANTIATE_TEST_SUITE_P(CleanUp, HintCleanUpTest, testing::ValuesIn(kCleanUps), TCaseName());

TEST(HintPieceText, ReadsItsEntitiesOnceFromTheLeft) {
  EXPECT_EQ(HintPieceText("a&nbsp;&lt;b&gt;"), "a <b>");
  EXPECT_EQ(HintPieceText("&&&&lt;"), "&&lt;");
  EXPECT_EQ(HintPieceText("a & b&"), "a & b&");
}

struct TTagCase {
  std::string name;
  std::string tag;
  THintTagKind kind;
  bool end;
};

const std::vector<TTagCase> kTags = {
    {"Link", "<a href=\"x\">", THintTagKind::Link, false},
    {"Bold", "<b>", THintTagKind::Bold, false},
    {"BoldEnd", "</B>", THintTagKind::Bold, true},
    {"OtherBIsBold", "<BIG>", THintTagKind::Bold, false},
    {"BreakClosedInside", "<br/>", THintTagKind::LineBreak, false},
    {"Body", "<BODY bgcolor=x>", THintTagKind::Body, false},
    {"Blink", "<blink>", THintTagKind::Blink, false},
    {"Zigzag", "</e>", THintTagKind::Zigzag, true},
    {"FontEnd", "</font>", THintTagKind::Font, true},
    {"Highlight", "<hi>", THintTagKind::Highlight, false},
    {"Rule", "<HR>", THintTagKind::Rule, false},
    {"HeadingIsUnknown", "<H1>", THintTagKind::Unknown, false},
    {"Image", "<img src=x>", THintTagKind::Image, false},
    {"Indent", "<IND x=4>", THintTagKind::Indent, false},
    {"Italic", "<i>", THintTagKind::Italic, false},
    {"ListItem", "<LI>", THintTagKind::ListItem, false},
    {"LinkTagIsAListItem", "<LINK>", THintTagKind::ListItem, false},
    {"LabelIsUnknown", "<LABEL>", THintTagKind::Unknown, false},
    {"Paragraph", "<p align=right>", THintTagKind::Paragraph, false},
    {"Rotation", "<R a=45>", THintTagKind::Rotation, false},
    {"Subscript", "<sub>", THintTagKind::Subscript, false},
    {"Superscript", "</SUP>", THintTagKind::Superscript, true},
    {"Shadow", "<Shadow>", THintTagKind::Shadow, false},
    {"StrikeOut", "<s>", THintTagKind::StrikeOut, false},
    {"OtherSIsStrikeOut", "<SPAN>", THintTagKind::StrikeOut, false},
    {"List", "<ul>", THintTagKind::List, false},
    {"Underline", "</U>", THintTagKind::Underline, true},
    {"Hidden", "<Z>", THintTagKind::Hidden, false},
    {"UnknownLetter", "<q>", THintTagKind::Unknown, false},
    {"NoLetters", "< b>", THintTagKind::Unknown, false},
    {"EmptyEnd", "</>", THintTagKind::Unknown, true},
    {"WithoutClose", "<b x", THintTagKind::Bold, false},
};

class HintTagTest : public testing::TestWithParam<TTagCase> {};

TEST_P(HintTagTest, IsToldByItsFirstLetters) {
  const THintTag tag = ClassifyHintTag(GetParam().tag);
  EXPECT_EQ(tag.kind, GetParam().kind);
  EXPECT_EQ(tag.end, GetParam().end);
  EXPECT_EQ(tag.plainBoldEnd, GetParam().tag == "</B>");
}

INSTANTIATE_TEST_SUITE_P(Tags, HintTagTest, testing::ValuesIn(kTags), TCaseName());

TEST(HintAttribute, MatchesWholeNamesInAnyCase) {
  const std::string tag = "<BODY bgcolorto=\"clRed\" BGCOLOR = #00FF00 dir=h x=\"unclosed";
  EXPECT_EQ(HintAttribute(tag, "BGCOLOR"), "#00FF00");
  EXPECT_EQ(HintAttribute(tag, "BGCOLORTO"), "clRed");
  EXPECT_EQ(HintAttribute(tag, "DIR"), "h");
  EXPECT_EQ(HintAttribute(tag, "X"), "unclosed");
  EXPECT_EQ(HintAttribute(tag, "COLOR"), std::nullopt);
  EXPECT_EQ(HintAttribute("<IM SRC", "SRC"), std::nullopt);
}

TEST(HintValues, ReadNumbersColorsSizesAndPictures) {
  EXPECT_EQ(HintNumber("-12px", -100, 100), -12);
  EXPECT_EQ(HintNumber("99999999999999999999", 0, 500), 500);
  EXPECT_EQ(HintNumber("+", 0, 5), std::nullopt);
  EXPECT_EQ(HintColor("#ff0080"), RgbColor(255, 0, 128));
  EXPECT_EQ(HintColor("#FF00G0"), clBlack);
  EXPECT_EQ(HintColor("CLINFOBK"), clInfoBk);
  EXPECT_EQ(HintColor("red"), clBlack);
  const std::vector<std::pair<int, int>> sizes = {{1, 8},  {2, 10}, {3, 12}, {4, 14},
                                                  {5, 16}, {6, 6},  {0, 1},  {9000, 1000}};
  for (const auto& [number, points] : sizes) EXPECT_EQ(HintFontSize(number), points) << number;
  EXPECT_EQ(HintPictureSource("IDX:3"), (THintPicture{THintPictureSource::ImageList, 3, {}}));
  EXPECT_EQ(HintPictureSource("ssys:/tmp/a.txt"), (THintPicture{THintPictureSource::SmallSystemIcon, 0, "/tmp/a.txt"}));
  EXPECT_EQ(HintPictureSource("LSYS:a"), (THintPicture{THintPictureSource::LargeSystemIcon, 0, "a"}));
  EXPECT_EQ(HintPictureSource("logo"), (THintPicture{THintPictureSource::Container, 0, "logo"}));
  EXPECT_EQ(HintPictureSource("http://example.org/logo.png"), std::nullopt);
  EXPECT_EQ(HintPictureSource("file://logo"), std::nullopt);
  EXPECT_EQ(HintPictureSource("idx:x"), std::nullopt);
}

}  // namespace
}  // namespace kalvero

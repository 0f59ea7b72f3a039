// The hint renderer over a canvas of fixed glyph widths (6 pixels a character, 7 in bold, fonts
// twice their point size high; the base font Tahoma 8 is 16 pixels high, the hints' Arial 10 20).

#include "ui/rich_hint/hint_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/support/case_name.h"
#include "tests/ui/rich_hint/fake_hint_canvas.h"
#include "tests/ui/rich_hint/script_hints.h"

namespace kalvero {
namespace {

using TCall = TFakeHintCanvas::TCall;

THintSize Measure(TFakeHintCanvas& canvas, const std::string& text, int width = 1000, bool wordWrap = true) {
  THintOptions options;
  options.wordWrap = wordWrap;
  return RenderHintHtml(canvas, text, {0, 0, width, 1000}, options);
}

THintSize Draw(TFakeHintCanvas& canvas, const std::string& text, const TRect& rect = {0, 0, 1000, 1000}) {
  THintOptions options;
  options.draw = true;
  options.urlColor = clBlue;
  return RenderHintHtml(canvas, text, rect, options);
}

struct TScriptHintCase {
  std::string name;
  std::string language;
  std::string key;
  int lines;
  int width;  // the widest line, worked out by hand
};

const std::vector<TScriptHintCase> kScriptHints = {
    {"EnglishFileNames", "English", "edit1hint", 8, 21 + 4 * 6 + 20 * 6},
    {"GermanFileNames", "German", "edit1hint", 8, 21 + 4 * 6 + 25 * 6},
    {"FrenchFileNames", "French", "edit1hint", 8, 21 + 4 * 6 + 25 * 6},
    {"SpanishFileNames", "Spanish", "edit1hint", 8, 21 + 4 * 6 + 22 * 6},
    {"EnglishFolderNames", "English", "edit2hint", 3, 14 + 7 * 6 + 6 * 6},
    {"SpanishFolderNames", "Spanish", "edit2hint", 3, 14 + 8 * 6 + 4 * 6},
};

class ScriptHintTest : public testing::TestWithParam<TScriptHintCase> {};

// Every line is Arial 10 (20 pixels), the empty one too; umlauts and accents are one character.
TEST_P(ScriptHintTest, LaysOutOneTokenALineAtTheWidestLine) {
  const std::string text = ScriptHint(GetParam().language, GetParam().key);
  ASSERT_FALSE(text.empty());
  TFakeHintCanvas canvas;
  EXPECT_EQ(Measure(canvas, text), (THintSize{GetParam().width, GetParam().lines * 20}));
  EXPECT_EQ(Draw(canvas, text), (THintSize{GetParam().width, GetParam().lines * 20}));
  const std::set<std::string> tokens = {"DD", "MM", "YYYY", "HH", "NN", "SS", "FFF"};
  for (const auto& piece : canvas.Texts()) {
    EXPECT_EQ(piece.font.name, "ARIAL");
    EXPECT_EQ(piece.font.size, 10);
    EXPECT_EQ(piece.font.bold, tokens.contains(piece.text)) << piece.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Hints, ScriptHintTest, testing::ValuesIn(kScriptHints), TCaseName());

TEST(HintRenderer, RunsOfBlanksPlaceTheExplanations) {
  TFakeHintCanvas canvas;
  Draw(canvas, ScriptHint("English", "edit1hint"));
  const std::vector<std::pair<std::string, int>> explanations = {{"Days", 8}, {"Months", 7}, {"Years", 4}};
  for (const auto& [word, blanks] : explanations) {
    const auto texts = canvas.Texts();
    const auto found = std::find_if(texts.begin(), texts.end(), [&](const auto& t) { return t.text == word; });
    ASSERT_NE(found, texts.end()) << word;
    EXPECT_EQ(std::count_if(found - blanks, found, [](const auto& t) { return t.text == " "; }), blanks) << word;
    const int tokenWidth = word == "Years" ? 4 * 7 : 2 * 7;
    EXPECT_EQ(found->box.left, 1 + tokenWidth + blanks * 6) << word;
  }
}

struct TLayoutCase {
  std::string name;
  std::string text;
  THintSize size;
  int width = 1000;
  bool wordWrap = true;
};

const std::vector<TLayoutCase> kLayouts = {
    {"NoTextIsOneEmptyLineHigh", "", {0, 16}},
    {"CarriageReturnAndLineFeedBreakLikeBr", "ab\r\ncd", {12, 32}},
    {"LoneLineFeedIsDropped", "ab\ncd", {24, 16}},
    {"TwoBreaksGiveAnEmptyLine", "abcd<br><BR/>ab", {24, 48}},
    {"EmptyLineHasTheHeightOfTheFontInForce", "<font size=\"5\">ab<br><br>cd", {12, 3 * 32}},
    {"FontEndReturnsToTheBaseFont", "<Font face=\"Arial\" size=\"4\">ab</FONT><br>abc", {18, 28 + 16}},
    {"BoldIsASwitch", "<b><b>ab</b>cd", {14 + 12, 16}},
    {"BlankEndingALineAddsNoWidth", "ab  <br>a", {18, 32}},
    {"AmpersandShowsOnce", "a&amp;b", {18, 16}},
    {"EntitiesAreOneCharacterEach", "&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;", {48, 16}},
    {"PieceEntities", "&lt;b&gt;&nbsp;", {24, 16}},
    {"EscapedEntityIsText", "&amp;lt;b>", {36, 16}},
    {"FirstHashTagIsUnwrapped", "<#ab>cd", {24, 16}},
    {"TagWithoutCloseSwallowsTheRest", "ab<b cd ef", {12, 16}},
    {"LoneLessThanAtTheEndIsDropped", "ab<c", {12, 16}},
    {"UnknownTagIsRemoved", "ab<q cite=x>cd<HX></LX>", {24, 16}},
    {"HiddenTextTakesNoWidth", "ab<z>cd<font size=\"9\">x</font></z>ef", {24, 16}},
    {"WordWrapBreaksAtTheLastBlankThatFits", "aaa bbb ccc", {42, 32}, 50},
    {"FitIsStrictlyLess", "aaa bb", {18, 32}, 37},
    {"PieceWiderThanTheLineFitsAnyway", "aaaa bbbbbbbbbbbb", {30 + 72, 16}, 50},
    {"TagsInsideAWordNeverBreakIt", "aaaa <b>bbbb</b>cccc", {30 + 28 + 24, 16}, 60},
    {"EllipsisModeCutsInsteadOfWrapping", "aaa bbb ccc", {49, 16}, 50, false},
    {"IndentMovesRightOnly", "a<IN x=\"50\">b<br>aaaaaaaaaa<in X=10>b", {66, 32}},
    {"ListItemsAreIndented", "<UL><LI>ab<li>cd</LI></UL>", {12 + 12, 16 * 4}},
    {"ParagraphEndEndsTheLine", "<P INDENT=\"4\">ab</P>cd", {4 + 12, 32}},
    {"RuleEndsTheLine", "ab<HR>cd", {12, 32}},
    {"PictureFromTheImageList", "a<IMG SRC=\"idx:0\" WIDTH=\"40\">", {6 + 40, 30}},
    {"AddressPictureIsItsAltText", "<IM SRC=\"http://example.org/a.png\" ALT=\"pic\">", {18, 16}},
    {"MissingPictureWithoutAltIsNothing", "<IM SRC=\"idx:7\">", {0, 16}},
};

class HintLayoutTest : public testing::TestWithParam<TLayoutCase> {};

TEST_P(HintLayoutTest, MeasuresWidestLineAndSumOfHeights) {
  TFakeHintCanvas canvas;
  canvas.images[0] = {20, 30};
  EXPECT_EQ(Measure(canvas, GetParam().text, GetParam().width, GetParam().wordWrap), GetParam().size);
  for (const THintPicture& picture : canvas.picturesAsked) EXPECT_EQ(picture.name.find("://"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Layout, HintLayoutTest, testing::ValuesIn(kLayouts), TCaseName());

TEST(HintRenderer, DrawsPiecesOnTheLineBottomFromOnePixelIn) {
  TFakeHintCanvas canvas;
  Draw(canvas, "ab<font size=\"5\">cd</font><br>ef", {10, 5, 500, 500});
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].box, (TRect{11, 5 + 16, 23, 5 + 32}));
  EXPECT_EQ(texts[1].box, (TRect{23, 5, 35, 5 + 32}));
  EXPECT_EQ(texts[2].box, (TRect{11, 5 + 32, 23, 5 + 48}));
}

TEST(HintRenderer, StopsDrawingBeforeALineThatWouldPassTheBottom) {
  TFakeHintCanvas canvas;
  EXPECT_EQ(Draw(canvas, "a<br>b<br>c", {0, 0, 100, 47}), (THintSize{6, 32}));
  EXPECT_EQ(canvas.Texts().size(), 2u);
  EXPECT_EQ(Draw(canvas, "a<br>b<br>c", {0, 0, 100, 48}), (THintSize{6, 48}));
}

TEST(HintRenderer, AlignsParagraphsWithinTheRectangle) {
  TFakeHintCanvas canvas;
  Draw(canvas, "<P ALIGN=\"RIGHT\">ab</P><p align=center>ab</p><P ALIGN=\"RIGHT\">aaaaaaaaaaaaaaaaaaaa",
       {0, 0, 101, 100});
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].box.left, 101 - 12);
  EXPECT_EQ(texts[1].box.left, 1 + (100 - 12) / 2);
  EXPECT_EQ(texts[2].box.left, 1);
}

TEST(HintRenderer, EllipsisModeCutsThePieceAtTheEdge) {
  TFakeHintCanvas canvas;
  THintOptions options;
  options.draw = true;
  options.wordWrap = false;
  RenderHintHtml(canvas, "ab cdefgh<b>ij</b>", {0, 0, 31, 100}, options);
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 1u);  // the bold piece has no room left and is not drawn
  EXPECT_EQ(texts[0].box, (TRect{1, 0, 31, 16}));
  EXPECT_TRUE(texts[0].ellipsis);
}

struct TColorCase {
  std::string name;
  std::string text;
  std::size_t piece;
  TColor color;
  TColor background;
};

const std::vector<TColorCase> kColors = {
    {"HexIsRedGreenBlue", "<font color=\"#FF8000\">a", 0, RgbColor(255, 128, 0), clNone},
    {"NameInAnyCase", "<FONT COLOR=\"clnavy\">a", 0, clNavy, clNone},
    {"SystemColorName", "<font color=\"clBtnFace\">a", 0, clBtnFace, clNone},
    {"UnknownNameIsBlack", "<font color=\"clNoSuch\">a", 0, clBlack, clNone},
    {"NoneIsNoTextColourButBlack", "<font color=\"clNone\">a", 0, clBlack, clNone},
    {"ShortHexIsBlack", "<font color=\"#12\">a", 0, clBlack, clNone},
    {"BackgroundIsNotTakenForTheColor", "<font bgcolor=\"clRed\">a", 0, clInfoText, clRed},
    {"FontEndRestoresColorAndBackground", "<font bgcolor=\"clRed\" color=\"clLime\">a</font>b", 1, clInfoText, clNone},
    {"OtherEndTagsOfBResetTheColor", "<font color=\"clLime\">a</BL>b", 1, clInfoText, clNone},
    {"BoldEndKeepsTheColor", "<font color=\"clLime\"><b>a</b>b", 1, clLime, clNone},
    {"LinkInTheLinkColor", "<A href=\"x\">a</A>b", 0, clBlue, clNone},
    {"LinkEndsWithItsTag", "<A href=\"x\">a</A>b", 1, clInfoText, clNone},
    {"HighlightColors", "<HI>a</HI>", 0, clHighlightText, clHighlight},
};

class HintColorTest : public testing::TestWithParam<TColorCase> {};

TEST_P(HintColorTest, DrawsPiecesInTheirColors) {
  TFakeHintCanvas canvas;
  Draw(canvas, GetParam().text);
  const auto texts = canvas.Texts();
  ASSERT_GT(texts.size(), GetParam().piece);
  EXPECT_EQ(texts[GetParam().piece].color, GetParam().color);
  EXPECT_EQ(texts[GetParam().piece].background, GetParam().background);
}

INSTANTIATE_TEST_SUITE_P(Colors, HintColorTest, testing::ValuesIn(kColors), TCaseName());

// What a fill of the canvas did: a plain fill or a gradient in its direction, where, in which colours.
struct TFill {
  TCall call;
  std::string direction;
  TRect box;
  TColor from;
  TColor to;
  friend bool operator==(const TFill&, const TFill&) = default;
};

struct TBackgroundCase {
  std::string name;
  std::string text;
  std::vector<TFill> fills;
};

// Drawn in a rectangle of 100 x 50; a paragraph fills the band of its one line, 16 pixels high.
const std::vector<TBackgroundCase> kBackgrounds = {
    {"BodyColourFillsTheRectangle", "<BODY BGCOLOR=\"clRed\">a", {{TCall::Fill, "", {0, 0, 100, 50}, clRed, clNone}}},
    {"BodyGradientRunsTopToBottom", "<BODY BGCOLOR=\"clWhite\" BGCOLORTO=\"clRed\">a",
     {{TCall::Gradient, "vertical", {0, 0, 100, 50}, clWhite, clRed}}},
    {"BodyGradientWithDirHRunsLeftToRight", "<BODY BGCOLOR=\"clWhite\" BGCOLORTO=\"clRed\" DIR=\"H\">a",
     {{TCall::Gradient, "horizontal", {0, 0, 100, 50}, clWhite, clRed}}},
    {"BodyGradientToNoneIsAPlainFill", "<BODY BGCOLOR=\"clRed\" BGCOLORTO=\"clNone\">a",
     {{TCall::Fill, "", {0, 0, 100, 50}, clRed, clNone}}},
    {"BodyColourNoneFillsNothing", "<BODY BGCOLOR=\"clNone\">a", {}},
    {"BodyWithoutColourFillsNothing", "<BODY BGCOLORTO=\"clRed\">a", {}},
    {"ParagraphColourFillsItsLine", "<P BGCOLOR=\"clRed\">a", {{TCall::Fill, "", {0, 0, 100, 16}, clRed, clNone}}},
    {"ParagraphGradientRunsLeftToRight", "<P BGCOLOR=\"clWhite\" BGCOLORTO=\"clRed\">a",
     {{TCall::Gradient, "horizontal", {0, 0, 100, 16}, clWhite, clRed}}},
    {"ParagraphColourNoneFillsNothing", "<P BGCOLOR=\"clNone\">a", {}},
};

class HintBackgroundTest : public testing::TestWithParam<TBackgroundCase> {};

TEST_P(HintBackgroundTest, FillsTheColourOrGradientAndNothingForNone) {
  TFakeHintCanvas canvas;
  Draw(canvas, GetParam().text, {0, 0, 100, 50});
  std::vector<TFill> fills;
  for (const auto& d : canvas.drawn)
    if (d.call == TCall::Fill || d.call == TCall::Gradient) fills.push_back({d.call, d.text, d.box, d.color, d.background});
  EXPECT_EQ(fills, GetParam().fills);
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, HintBackgroundTest, testing::ValuesIn(kBackgrounds), TCaseName());

TEST(HintRenderer, DrawsTheDecorationsOfItsTags) {
  TFakeHintCanvas canvas;
  canvas.images[0] = {20, 30};
  Draw(canvas,
       "<BODY BGCOLOR=\"clWhite\" BGCOLORTO=\"clRed\"><UL><LI><SH><E>ab</E></SH><HR>"
       "<a href=x><u>c</u></a><s><i><sub>d</sub></i></s><R a=\"390\">e</R><IMG SRC=\"IDX:0\" ALIGN=\"TOP\">",
       {0, 0, 100, 200});
  std::vector<TCall> calls;
  for (const auto& d : canvas.drawn) calls.push_back(d.call);
  EXPECT_EQ(calls, (std::vector<TCall>{TCall::Gradient, TCall::Bullet, TCall::Text, TCall::Text, TCall::Zigzag,
                                       TCall::Rule, TCall::Text, TCall::Text, TCall::Text, TCall::Picture}));
  const auto& d = canvas.drawn;
  EXPECT_EQ(d[0].text, "vertical");
  EXPECT_EQ(d[1].box, (TRect{1, 16, 13, 32}));                       // the 12 pixels before the item
  EXPECT_EQ(d[2].box, (TRect{14, 17, 26, 33}));                      // the shadow, one pixel off
  EXPECT_EQ(d[2].color, (RgbColor(128, 128, 128)));
  EXPECT_EQ(d[5].box, (TRect{0, 31, 100, 32}));                      // the rule in the line's last row
  EXPECT_TRUE(d[6].font.underline);
  EXPECT_TRUE(d[7].font.strikeOut && d[7].font.italic && d[7].font.script == THintScript::Subscript);
  EXPECT_EQ(d[8].font.angle, 30);
  EXPECT_EQ(d[9].box.top, 32);
}

}  // namespace
}  // namespace kalvero

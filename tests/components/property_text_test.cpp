#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/property_kinds.h"
#include "components/status_bar.h"
#include "tests/support/case_name.h"
#include "tests/support/model_components.h"

namespace kalvero {
namespace {

enum class TOutcome { Set, ConversionError, RangeError };

struct TTextCase {
  std::string name;
  std::string property;  // a property of the gauge, or "Font.<property>" of its font
  std::string text;
  TOutcome outcome;
  std::string expected;  // the property's text form afterwards, when set
};

const std::vector<TTextCase> kTextCases = {
    {"IntegerDecimal", "Left", "42", TOutcome::Set, "42"},
    {"IntegerSmallestInRange", "Left", "-32768", TOutcome::Set, "-32768"},
    {"IntegerHexAfterDollar", "Left", "$1F", TOutcome::Set, "31"},
    {"IntegerHexAfter0x", "Left", "0x1f", TOutcome::Set, "31"},
    {"IntegerLeadingBlanks", "Left", "  7", TOutcome::Set, "7"},
    {"IntegerBelowRange", "Left", "-32769", TOutcome::RangeError, ""},
    {"IntegerNegativeWidth", "Width", "-1", TOutcome::RangeError, ""},
    {"IntegerTrailingBlank", "Width", "5 ", TOutcome::ConversionError, ""},
    {"IntegerEmpty", "Width", "", TOutcome::ConversionError, ""},
    {"IntegerBeyond32Bits", "Width", "99999999999", TOutcome::ConversionError, ""},
    {"IntegerFloatText", "Width", "1.5", TOutcome::ConversionError, ""},
    {"ColorByName", "Color", "clRed", TOutcome::Set, "clRed"},
    {"ColorNameAnyCase", "Color", "CLINFOBK", TOutcome::Set, "clInfoBk"},
    {"ColorWithoutName", "Color", "$123456", TOutcome::Set, "1193046"},
    {"ColorNone", "Color", "clNone", TOutcome::Set, "clNone"},
    {"ColorAboveRange", "Color", "$20000000", TOutcome::RangeError, ""},
    {"ColorTakesNoCursorName", "Color", "crHandPoint", TOutcome::ConversionError, ""},
    {"CursorByName", "Cursor", "crHandPoint", TOutcome::Set, "crHandPoint"},
    {"CursorBeyondTable", "Cursor", "20", TOutcome::RangeError, ""},
    {"CharsetByName", "Font.Charset", "ansi_charset", TOutcome::Set, "ANSI_CHARSET"},
    {"CharsetAboveOneByte", "Font.Charset", "256", TOutcome::RangeError, ""},
    {"FontSizeInPoints", "Font.Size", "10", TOutcome::Set, "10"},
    {"FontHeightBeyondRange", "Font.Height", "-2049", TOutcome::RangeError, ""},
    {"TextTakenUnchanged", "Caption", "  x = 'y' ", TOutcome::Set, "  x = 'y' "},
    {"TextEmpty", "Hint", "", TOutcome::Set, ""},
    {"EnumerationByName", "Alignment", "taCenter", TOutcome::Set, "taCenter"},
    {"EnumerationNameAnyCase", "Alignment", "TARIGHTJUSTIFY", TOutcome::Set, "taRightJustify"},
    {"EnumerationTakesNoNumber", "Alignment", "1", TOutcome::ConversionError, ""},
    {"EnumerationUnknownName", "Alignment", "taJustify", TOutcome::ConversionError, ""},
    {"BooleanTrue", "ShowHint", "true", TOutcome::Set, "True"},
    {"BooleanUnknownName", "ShowHint", "yes", TOutcome::ConversionError, ""},
    {"SetTwoValues", "Font.Style", "[fsBold,fsUnderline]", TOutcome::Set, "[fsBold,fsUnderline]"},
    {"SetPrintedInEnumerationOrder", "Font.Style", "[ fsStrikeOut , fsbold ]", TOutcome::Set, "[fsBold,fsStrikeOut]"},
    {"SetEmpty", "Font.Style", "[]", TOutcome::Set, "[]"},
    {"SetValueRepeated", "Font.Style", "[fsItalic,fsItalic]", TOutcome::Set, "[fsItalic]"},
    {"SetWithoutBrackets", "Font.Style", "fsBold", TOutcome::ConversionError, ""},
    {"SetUnclosed", "Font.Style", "[fsBold", TOutcome::ConversionError, ""},
    {"SetTrailingComma", "Font.Style", "[fsBold,]", TOutcome::ConversionError, ""},
    {"SetUnknownName", "Font.Style", "[fsHeavy]", TOutcome::ConversionError, ""},
    {"SetTextAfterBracket", "Font.Style", "[fsBold]x", TOutcome::ConversionError, ""},
    {"FloatDecimal", "Ratio", "1.5", TOutcome::Set, "1.5"},
    {"FloatExponent", "Ratio", "-2e3", TOutcome::Set, "-2000"},
    {"FloatPlusAndNoLeadingDigit", "Ratio", "+.25", TOutcome::Set, "0.25"},
    {"FloatDecimalCommaRefused", "Ratio", "1,5", TOutcome::ConversionError, ""},
    {"FloatInfinityRefused", "Ratio", "inf", TOutcome::ConversionError, ""},
    {"FloatOverflowRefused", "Ratio", "1e999", TOutcome::ConversionError, ""},
    {"FloatLeadingBlankRefused", "Ratio", " 1", TOutcome::ConversionError, ""},
    {"FloatTwoSignsRefused", "Ratio", "+-1", TOutcome::ConversionError, ""},
    {"StringListTakesLines", "Lines", "one\r\ntwo", TOutcome::Set, "one\r\ntwo\r\n"},
    {"SubObjectTakesNoText", "Font", "Arial", TOutcome::ConversionError, ""},
};

TOutcome SetFromText(TPersistent& target, const std::string& property, const std::string& text) {
  try {
    EXPECT_TRUE(SetPropertyFromText(target, property, text));
    return TOutcome::Set;
  } catch (const ERangeError&) {
    return TOutcome::RangeError;
  } catch (const EComponentError&) {
    return TOutcome::ConversionError;
  }
}

class PropertyTextTest : public testing::TestWithParam<TTextCase> {};

TEST_P(PropertyTextTest, ConvertsOrRaisesAndKeepsTheValue) {
  const TTextCase& c = GetParam();
  TTestGauge gauge;
  const std::size_t dot = c.property.find('.');
  TPersistent& target = dot == std::string::npos ? static_cast<TPersistent&>(gauge) : gauge.Font();
  const std::string property = c.property.substr(dot == std::string::npos ? 0 : dot + 1);
  const std::string before = *GetPropertyText(target, property);
  ASSERT_EQ(SetFromText(target, property, c.text), c.outcome);
  EXPECT_EQ(GetPropertyText(target, property), c.outcome == TOutcome::Set ? c.expected : before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PropertyTextTest, testing::ValuesIn(kTextCases), TCaseName());

TEST(PropertyTable, ListsBaseClassPropertiesFirst) {
  const TPropertyTable& table = TStatusBar().Properties();
  std::vector<std::string> names;
  for (std::size_t i = 0; i < table.Count(); ++i) names.push_back(table[i].Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Left", "Top", "Width", "Height", "Hint", "ShowHint", "Cursor",
                                             "Color", "Font", "Parent", "Visible", "Enabled", "TabOrder", "TabStop",
                                             "Align", "Panels", "SizeGrip"}));
  EXPECT_EQ(table.Find("panels"), &table[16]);
  EXPECT_EQ(GetPropertyText(TStatusBar(), "Caption"), std::nullopt);
}

TEST(TypedAccess, IntegerAndEnumerationSettersCheckTheirRange) {
  TLabel label;
  const auto& width = dynamic_cast<const TIntegerPropertyInfo&>(*label.Properties().Find("Width"));
  EXPECT_THROW(width.Set(label, std::int64_t{1} << 32), ERangeError) << "no silent truncation to 32 bits";
  width.Set(label, 32767);
  EXPECT_EQ(label.Width(), 32767);
  const auto& alignment = dynamic_cast<const TEnumPropertyInfo&>(*label.Properties().Find("Alignment"));
  EXPECT_THROW(alignment.Set(label, 3), ERangeError);
  const auto& style = dynamic_cast<const TSetPropertyInfo&>(*label.Font().Properties().Find("Style"));
  EXPECT_THROW(style.Set(label.Font(), 1u << 4), ERangeError);
}

TEST(TypedAccess, ObjectPropertiesCheckTheClassOfTheObject) {
  TLabel label;
  TLabel other;
  other.SetName("Label2");
  const auto& parent = dynamic_cast<const TObjectPropertyInfo&>(*label.Properties().Find("Parent"));
  const auto& font = dynamic_cast<const TObjectPropertyInfo&>(*label.Properties().Find("Font"));
  EXPECT_THROW(parent.Set(label, &other.Font()), EComponentError);
  parent.Set(label, &other);
  EXPECT_EQ(label.Parent(), &other);
  EXPECT_EQ(parent.GetText(label), "Label2") << "a reference reads as the component's name";
  other.Font().SetName("Arial");
  font.Set(label, &other.Font());
  EXPECT_EQ(label.Font().Name(), "Arial");
  EXPECT_NE(&label.Font(), &other.Font()) << "a font is copied, not shared";
  font.Set(label, nullptr);
  EXPECT_EQ(label.Font().Name(), "Arial") << "nothing leaves a kept sub-object as it is";
}

TEST(SplitLines, AcceptsLfAndCrLfAndDropsOnlyTheFinalLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\n\nc\n"), (TTextLines{"a", "b", "", "c"}));
  EXPECT_EQ(SplitLines("a\rb"), (TTextLines{"a\rb"}));
  EXPECT_EQ(SplitLines("a"), (TTextLines{"a"}));
  EXPECT_EQ(SplitLines(""), TTextLines{});
}

}  // namespace
}  // namespace kalvero

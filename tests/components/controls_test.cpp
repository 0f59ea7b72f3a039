#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "components/property_path.h"
#include "components/status_bar.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

TEST(TControlParent, RefusesToPlaceAControlInsideItself) {
  TComponent window;
  auto& outer = window.CreateComponent<TGroupBox>("GroupBox1");
  auto& inner = window.CreateComponent<TGroupBox>("GroupBox2");
  auto& label = window.CreateComponent<TLabel>("Label1");
  inner.SetParent(&outer);
  label.SetParent(&inner);
  EXPECT_THROW(outer.SetParent(&outer), EComponentError);
  EXPECT_THROW(outer.SetParent(&label), EComponentError);
  EXPECT_EQ(outer.Parent(), nullptr);
  label.SetParent(&outer);
  EXPECT_EQ(outer.Controls(), (std::vector<TControl*>{&inner, &label}));
  EXPECT_TRUE(inner.Controls().empty());
}

TEST(TControlParent, DestroyingEitherSideLeavesNoDanglingLink) {
  TComponent window;
  auto& label = window.CreateComponent<TLabel>("Label1");
  auto& box = window.CreateComponent<TGroupBox>("GroupBox1");
  auto& edit = window.CreateComponent<TEdit>("Edit1");
  label.SetParent(&box);
  edit.SetParent(&box);
  window.DestroyComponent(edit);
  EXPECT_EQ(box.Controls(), std::vector<TControl*>{&label});
  window.DestroyComponent(box);  // the label, created earlier, outlives its parent
  EXPECT_EQ(label.Parent(), nullptr);
  EXPECT_EQ(window.ComponentCount(), 1u);
}

TEST(TControlParent, DoubleBufferingReachesEveryControlInsideButNoneBeside) {
  TComponent window;
  auto& outer = window.CreateComponent<TGroupBox>("GroupBox1");
  auto& inner = window.CreateComponent<TPanel>("Panel1");
  auto& deep = window.CreateComponent<TEdit>("Edit1");
  auto& beside = window.CreateComponent<TButton>("Button1");
  inner.SetParent(&outer);
  deep.SetParent(&inner);
  SetDoubleBufferedWithin(outer, true);
  EXPECT_TRUE(outer.DoubleBuffered() && inner.DoubleBuffered() && deep.DoubleBuffered());
  EXPECT_FALSE(beside.DoubleBuffered());
  SetDoubleBufferedWithin(inner, false);
  EXPECT_TRUE(outer.DoubleBuffered());
  EXPECT_FALSE(inner.DoubleBuffered() || deep.DoubleBuffered());
}

struct TFontSizeCase {
  std::string name;
  std::int32_t height;
  std::int32_t size;
};

const std::vector<TFontSizeCase> kFontSizes = {
    {"WindowFont", -11, 8},
    {"TenPoints", -13, 10},
    {"LargeTitle", -19, 14},
    {"CellHeightGivesNegativeSize", 16, -12},
    {"Zero", 0, 0},
};

class FontSizeTest : public testing::TestWithParam<TFontSizeCase> {};

TEST_P(FontSizeTest, HeightAndSizeConvertAtNinetySixDotsPerInch) {
  TFont font;
  font.SetHeight(GetParam().height);
  EXPECT_EQ(font.Size(), GetParam().size);
  font.SetSize(GetParam().size);
  EXPECT_EQ(font.Size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontSizeTest, testing::ValuesIn(kFontSizes), TCaseName());

// Counts the notifications a Qt-backed control would forward to its widget.
class TCountingStatusBar final : public TStatusBar {
 public:
  int fontChanges = 0;
  int panelChanges = 0;

 protected:
  void FontChanged() override { ++fontChanges; }
  void PanelsChanged() override { ++panelChanges; }
};

TEST(ChangeNotification, ComesOnlyWhenAValueReallyChanges) {
  TCountingStatusBar bar;
  bar.Font().SetName("Tahoma");
  EXPECT_EQ(bar.fontChanges, 0) << "the font already had that name";
  bar.Font().SetStyle({TFontStyle::fsBold});
  TFont other;
  other.SetName("Arial");
  other.SetColor(clRed);
  bar.SetFont(&other);
  EXPECT_EQ(bar.fontChanges, 2) << "one for the style, one for the whole copy";

  bar.Panels().SetCount(2);
  bar.Panels().Panel(1).SetText("Ordner werden durchsucht ...");
  bar.Panels().Panel(1).SetText("Ordner werden durchsucht ...");
  EXPECT_EQ(bar.panelChanges, 2);
}

TEST(TCollection, CountAddsAndRemovesItemsAtTheEndWithinItsBounds) {
  TStatusPanels panels;
  panels.SetCount(3);
  panels.Panel(2).SetText("last");
  panels.SetCount(2);
  panels.Add();
  EXPECT_EQ(panels.Count(), 3);
  EXPECT_EQ(panels.Panel(2).Text(), "") << "a removed item does not come back";
  EXPECT_EQ(panels.Panel(1).Index(), 1u);
  EXPECT_THROW(panels.Item(3), ERangeError);
  EXPECT_THROW(panels.Item(-1), ERangeError);
  EXPECT_THROW(panels.SetCount(TCollection::kMaxCount + 1), ERangeError);
  EXPECT_EQ(panels.Count(), 3);
}

TEST(TCollection, AssignCopiesEveryItemOfTheSameClassOnly) {
  TStatusPanels source;
  source.SetCount(2);
  source.Panel(0).SetWidth(22);
  source.Panel(1).SetText("copied");
  TStatusBar bar;
  bar.Panels().SetCount(5);
  bar.SetPanels(&source);
  ASSERT_EQ(bar.Panels().Count(), 2);
  EXPECT_EQ(bar.Panels().Panel(0).Width(), 22);
  EXPECT_EQ(bar.Panels().Panel(1).Text(), "copied");
  EXPECT_THROW(bar.Panels().Assign(TFont()), EComponentError);
}

struct TPathCase {
  std::string name;
  std::string path;
  std::string reaches;  // "bar", "font", "panels", "panel1", "none" or "range error"
};

const std::vector<TPathCase> kPaths = {
    {"Empty", "", "bar"},
    {"SubObject", "Font", "font"},
    {"SubObjectAnyCase", "FONT", "font"},
    {"Collection", "Panels", "panels"},
    {"CollectionItem", "Panels[1]", "panel1"},
    {"IndexWithoutCloseBracket", "Panels[1", "panel1"},
    {"IndexInHex", "Panels[$1]", "panel1"},
    {"IndexThatIsNoNumberIsIgnored", "Panels[one]", "panels"},
    {"IndexOnNoCollectionIsIgnored", "Font[0]", "font"},
    {"IndexBeyondTheItems", "Panels[2]", "range error"},
    {"NegativeIndex", "Panels[-1]", "range error"},
    {"PropertyOfAnItem", "Panels[1].Text", "none"},
    {"NoObjectProperty", "Hint", "none"},
    {"UnknownProperty", "Glyph", "none"},
    {"ReferenceHoldingNothing", "Parent", "none"},
    {"ThroughNothing", "Parent.Font", "none"},
    {"EmptyPart", "Font..Name", "none"},
};

class PropertyPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(PropertyPathTest, FollowsObjectPropertiesAndCollectionIndexes) {
  TStatusBar bar;
  bar.Panels().SetCount(2);
  const std::map<std::string, TPersistent*> objects = {{"bar", &bar},
                                                       {"font", &bar.Font()},
                                                       {"panels", &bar.Panels()},
                                                       {"panel1", &bar.Panels().Item(1)},
                                                       {"none", nullptr}};
  if (GetParam().reaches == "range error") {
    EXPECT_THROW(ResolvePropertyPath(bar, GetParam().path), ERangeError);
  } else {
    EXPECT_EQ(ResolvePropertyPath(bar, GetParam().path), objects.at(GetParam().reaches));
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, PropertyPathTest, testing::ValuesIn(kPaths), TCaseName());

}  // namespace
}  // namespace kalvero

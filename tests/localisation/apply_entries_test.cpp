#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "components/application.h"
#include "components/status_bar.h"
#include "components/window_builder.h"
#include "localisation/multilanguage.h"
#include "tests/support/case_name.h"
#include "tests/support/model_components.h"

namespace kalvero {
namespace {

// The text form of a property reached from the window by a dotted name; "?" when there is none.
std::string Read(TComponent& window, std::string_view name) {
  const std::size_t dot = name.rfind('.');
  TPersistent* target = ResolvePath(window, dot == std::string_view::npos ? "" : name.substr(0, dot));
  if (target == nullptr) return "?";
  return GetPropertyText(*target, name.substr(dot + 1)).value_or("?");
}

const TWindowDescription kSmallWindow = {
    "TForm",
    "Form1",
    {{"Caption", "Kalvero"}},
    {{"TGroupBox", "GroupBox1", "", {{"Parent", "Form1"}}},
     {"TLabel", "Label1", "", {{"Parent", "GroupBox1"}, {"Caption", "Quellordner:"}}},
     {"TGroupBox", "GroupBox2", "", {{"Parent", "Form1"}}},
     {"TEdit", "Edit1", "", {{"Text", "DD.MM.YYYY"}, {"Hint", "design"}}},
     {"TCheckBox", "cb1", "", {{"Checked", "True"}}},
     {"TStatusBar", "StatusBar1", "", {{"Panels.Count", "2"}}},
     {"TTestGauge", "Gauge1", "", {}}}};

class SmallWindowTest : public testing::Test {
 protected:
  SmallWindowTest() {
    RegisterStandardControls(classes_);
    RegisterLanguageClasses(classes_);
    classes_.Register<TTestGauge>("TTestGauge");
  }

  TForm& Build(const TWindowDescription& description) { return BuildWindow(application_, description, classes_); }

  // Adds a script component to the window, counting its OnTranslate calls.
  TMultilanguage& AddScript(TForm& window, const std::string& name, TTextLines script) {
    auto& lng = window.CreateComponent<TMultilanguage>(name);
    lng.OnTranslate = [this](TMultilanguage& sender) { translated_.push_back(sender.Name()); };
    lng.SetScript(std::move(script));
    return lng;
  }

  TApplication application_;
  TClassRegistry classes_;
  std::vector<std::string> translated_;
};

enum class TOutcome { Applied, ConversionError, RangeError };

struct TEntryCase {
  std::string name;
  std::vector<std::string> entries;
  std::vector<std::pair<std::string, std::string>> expected;  // property read from the window, text
  TOutcome outcome = TOutcome::Applied;
};

const std::vector<TEntryCase> kEntryCases = {
    {"MissingComponentChangesNothing", {"cb3.Caption = 'x'"}, {{"cb1.Caption", ""}}},
    {"PlainKeySetsTheWindowsProperty", {"Caption = 'Fenster'"}, {{"Caption", "Fenster"}}},
    {"MessageKeyMatchesNoProperty", {"msgErrorPath = 'Pfad!'"}, {{"Caption", "Kalvero"}}},
    {"PathThroughAFont", {"Edit1.Font.Name = 'Arial'"}, {{"Edit1.Font.Name", "Arial"}}},
    {"PathThroughACollectionItem",
     {"StatusBar1.Panels[1].Text = 'bereit'"},
     {{"StatusBar1.Panels[1].Text", "bereit"}, {"StatusBar1.Panels[0].Text", ""}}},
    {"LabelWrittenBehindItsGroupBoxIsNotReached",
     {"GroupBox1.Label1.Caption = 'x'"},
     {{"Label1.Caption", "Quellordner:"}}},
    {"PropertySetTwiceKeepsTheLaterValue",
     {"Label1.Caption = 'one'", "Label1.Caption = 'two'"},
     {{"Label1.Caption", "two"}}},
    {"NamesIgnoreCase", {"label1.CAPTION = 'x'"}, {{"Label1.Caption", "x"}}},
    {"UnknownPropertyChangesNothing", {"Label1.Glyph = 'x'"}, {{"Label1.Caption", "Quellordner:"}}},
    {"TextTakenUnchanged", {"Edit1.Text = '  x  '"}, {{"Edit1.Text", "  x  "}}},
    {"IntegerDecimal", {"Edit1.Left = 42"}, {{"Edit1.Left", "42"}}},
    {"IntegerHex", {"Edit1.Left = $2A"}, {{"Edit1.Left", "42"}}},
    {"IntegerColorName", {"Edit1.Color = clInfoBk"}, {{"Edit1.Color", "clInfoBk"}}},
    {"IntegerHashColor", {"Edit1.Color = #FF0000"}, {{"Edit1.Color", "clRed"}}},
    {"IntegerCursorName", {"Edit1.Cursor = crHandPoint"}, {{"Edit1.Cursor", "crHandPoint"}}},
    {"IntegerCharsetName", {"Edit1.Font.Charset = ANSI_CHARSET"}, {{"Edit1.Font.Charset", "ANSI_CHARSET"}}},
    {"IntegerNameOfAnyTable", {"Edit1.Font.Charset = clBlack"}, {{"Edit1.Font.Charset", "ANSI_CHARSET"}}},
    {"IntegerUnreadableIsSkipped", {"Edit1.Left = 4 2"}, {{"Edit1.Left", "0"}}},
    {"IntegerOutOfRangeRaises", {"Edit1.Width = -1"}, {{"Edit1.Width", "0"}}, TOutcome::RangeError},
    {"IntegerNameOutOfRangeRaises", {"Edit1.Cursor = clRed"}, {{"Edit1.Cursor", "crDefault"}}, TOutcome::RangeError},
    {"EnumerationByName", {"cb1.Checked = false"}, {{"cb1.Checked", "False"}}},
    {"EnumerationNumberRaises", {"cb1.Checked = 0"}, {{"cb1.Checked", "True"}}, TOutcome::ConversionError},
    {"SetText", {"Edit1.Font.Style = [fsBold,fsUnderline]"}, {{"Edit1.Font.Style", "[fsBold,fsUnderline]"}}},
    {"SetMalformedRaises", {"Edit1.Font.Style = fsBold"}, {{"Edit1.Font.Style", "[]"}}, TOutcome::ConversionError},
    {"FloatNumber", {"Gauge1.Ratio = 0.5"}, {{"Gauge1.Ratio", "0.5"}}},
    {"FloatDecimalCommaRaises", {"Gauge1.Ratio = 0,5"}, {{"Gauge1.Ratio", "0"}}, TOutcome::ConversionError},
    {"StringListTakesLines", {"Gauge1.Lines = 'one\\ntwo'"}, {{"Gauge1.Lines", "one\r\ntwo\r\n"}}},
    {"ObjectPathToAComponent", {"Label1.Parent = GroupBox2"}, {{"Label1.Parent", "GroupBox2"}}},
    {"ObjectPathResolvedFromTheWindow",
     {"Label1.Font.Name = 'Arial'", "Edit1.Font = Label1.Font"},
     {{"Edit1.Font.Name", "Arial"}}},
    {"ObjectPathFindingNothingSetsNothing", {"Label1.Parent = GroupBox9"}, {{"Label1.Parent", ""}}},
    {"ObjectOfAnotherClassKeepsTheValue", {"Label1.Parent = Edit1.Font"}, {{"Label1.Parent", "GroupBox1"}}},
    {"KeptFontStaysWhenNothingIsFound", {"Edit1.Font = Arial"}, {{"Edit1.Font.Name", "Tahoma"}}},
    {"IndexOutOfRangeRaises", {"StatusBar1.Panels[2].Text = 'x'"}, {}, TOutcome::RangeError},
    {"IndexThatIsNoNumberIsIgnored", {"StatusBar1.Panels[x].Text = 'x'"}, {}},
};

TOutcome WriteLanguage(TMultilanguage& lng, const std::string& language) {
  try {
    lng.SetLanguage(language);
    return TOutcome::Applied;
  } catch (const ERangeError&) {
    return TOutcome::RangeError;
  } catch (const EComponentError&) {
    return TOutcome::ConversionError;
  }
}

class ApplyEntriesTest : public SmallWindowTest, public testing::WithParamInterface<TEntryCase> {};

// Each row's entries stand between two writes of Edit1.Hint: an error must keep the first and
// skip the second, and skip OnTranslate.
TEST_P(ApplyEntriesTest, AppliesOrSkipsOrStopsAtAnError) {
  const TEntryCase& c = GetParam();
  TForm& window = Build(kSmallWindow);
  TTextLines script = {"[German]", "Edit1.Hint = 'before'"};
  script.insert(script.end(), c.entries.begin(), c.entries.end());
  script.push_back("Edit1.Hint = 'after'");
  TMultilanguage& lng = AddScript(window, "lng", script);
  translated_.clear();
  EXPECT_EQ(WriteLanguage(lng, "German"), c.outcome);
  const bool applied = c.outcome == TOutcome::Applied;
  EXPECT_EQ(Read(window, "Edit1.Hint"), applied ? "after" : "before");
  EXPECT_EQ(translated_.size(), applied ? 1u : 0u) << "OnTranslate runs only after the last entry";
  for (const auto& [name, text] : c.expected) EXPECT_EQ(Read(window, name), text) << name;
}

INSTANTIATE_TEST_SUITE_P(Entries, ApplyEntriesTest, testing::ValuesIn(kEntryCases), TCaseName());

TEST_F(SmallWindowTest, LaterScriptOfAWindowWinsForEveryPropertyBothSet) {
  TForm& window = Build(kSmallWindow);
  window.CreateComponent<TMultilanguageSync>("");
  const TTextLines first = {"[English]", "Label1.Caption = 'first'", "Edit1.Text = 'only first'"};
  const TTextLines second = {"[English]", "Label1.Caption = 'second'", "[German]", "Label1.Caption = 'zweite'"};
  AddScript(window, "lng1", first);
  TMultilanguage& lng2 = AddScript(window, "lng2", second);
  lng2.SetLanguage("English");
  EXPECT_EQ(Read(window, "Label1.Caption"), "second");
  EXPECT_EQ(Read(window, "Edit1.Text"), "only first");
  translated_.clear();
  lng2.SetLanguage("German");
  EXPECT_EQ(Read(window, "Label1.Caption"), "zweite");
  EXPECT_EQ(translated_, (std::vector<std::string>{"lng1", "lng2"}));
}

struct TFaultCase {
  std::string name;
  std::string entry;
};

const std::vector<TFaultCase> kFaults = {
    {"NumberOutOfRange", "Edit1.Width = -5"},
    {"IndexOutOfRange", "StatusBar1.Panels[7].Text = 'x'"},
};

class RetranslateFaultTest : public SmallWindowTest, public testing::WithParamInterface<TFaultCase> {};

TEST_P(RetranslateFaultTest, StopsTheWalkAndReachesTheWriter) {
  TForm& form1 = Build(kSmallWindow);
  TForm& form2 = Build({"TForm", "Form2", {}, {{"TLabel", "Label1", "", {{"Caption", "Deutsch"}}}}});
  auto& sync = form1.CreateComponent<TMultilanguageSync>("");
  TMultilanguage& good = AddScript(form1, "good", {"[English]", "Edit1.Hint = 'English'"});
  AddScript(form1, "bad", {"[English]", "Label1.Caption = 'reached'", GetParam().entry, "Edit1.Text = 'not reached'"});
  AddScript(form2, "lng", {"[English]", "Label1.Caption = 'English'"});
  translated_.clear();
  EXPECT_THROW(good.SetLanguage("English"), ERangeError);
  EXPECT_EQ(sync.Language(), "English") << "the language is stored before the walk";
  EXPECT_EQ(translated_, std::vector<std::string>{"good"});
  EXPECT_EQ(Read(form1, "Label1.Caption"), "reached");
  EXPECT_EQ(Read(form1, "Edit1.Text"), "DD.MM.YYYY");
  EXPECT_EQ(Read(form2, "Label1.Caption"), "Deutsch") << "the walk stopped before the second window";
}

INSTANTIATE_TEST_SUITE_P(Faults, RetranslateFaultTest, testing::ValuesIn(kFaults), TCaseName());

TEST_F(SmallWindowTest, ScriptWritingItsOwnLanguageDoesNotRecurse) {
  TForm& window = Build(kSmallWindow);
  TMultilanguage& lng = AddScript(window, "lng", {"[German]", "Label1.Caption = 'de'", "lng.Language = English",
                                                 "Edit1.Text = 'after'", "[English]", "lng.Language = German"});
  translated_.clear();
  lng.SetLanguage("German");
  EXPECT_EQ(Read(window, "Label1.Caption"), "de");
  EXPECT_EQ(Read(window, "Edit1.Text"), "after") << "the running translation finishes";
  EXPECT_EQ(lng.Language(), "English") << "the value written is kept";
  EXPECT_EQ(translated_, std::vector<std::string>{"lng"});
}

TEST_F(SmallWindowTest, LanguageWrittenWhileBuildingReachesOnlyTheComponentsThatExist) {
  classes_.Register<TLoggingLabel>("TLoggingLabel");
  TLoadRecorder::Log().clear();
  Build({"TForm",
         "Form1",
         {},
         {{"TLoggingLabel", "LabelA", "", {{"Caption", "design A"}}},
          {"TMultilanguage",
           "lng",
           "",
           {{"Script", "[English]\nLabelA.Caption = 'A'\nLabelB.Caption = 'B'\n"}, {"Language", "English"}}},
          {"TLoggingLabel", "LabelB", "", {{"Caption", "design B"}}}}});
  EXPECT_EQ(TLoadRecorder::Log(),
            (std::vector<std::string>{"LabelA:design A", "LabelA:A", "LabelB:design B", "LabelA:A", "LabelB:B"}));
}

}  // namespace
}  // namespace kalvero

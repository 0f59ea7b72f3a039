#include "components/application.h"
#include "components/window_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/status_bar.h"
#include "tests/support/case_name.h"
#include "tests/support/model_components.h"

namespace kalvero {
namespace {

// A window class that logs its Loaded call and its create handler into the recorders' log.
class TRecordingForm final : public TForm {
 public:
  void Loaded() override { TLoadRecorder::Log().push_back("window loaded"); }
  void DoCreate() override { TLoadRecorder::Log().push_back("created:" + Text()); }
};

class TFailingLabel final : public TLabel {
 public:
  void Loaded() override { throw EComponentError("loading failed"); }
};

class WindowBuilderTest : public testing::Test {
 protected:
  WindowBuilderTest() {
    RegisterStandardControls(classes_);
    classes_.Register<TRecordingForm>("TRecordingForm");
    classes_.Register<TLoadRecorder>("TLoadRecorder");
    classes_.Register<TFailingLabel>("TFailingLabel");
    TLoadRecorder::Log().clear();
  }

  TForm& Build(const TWindowDescription& description) { return BuildWindow(application_, description, classes_); }

  TApplication application_;
  TClassRegistry classes_;
};

const TWindowDescription kStatusWindow = {
    "TRecordingForm",
    "Form1",
    {{"Caption", "Kalvero"}, {"ClientWidth", "641"}, {"Color", "clWhite"}, {"Font.Name", "Tahoma"}},
    {
        {"TGroupBox", "GroupBox1", "", {{"Left", "16"}, {"Width", "153"}}},
        {"TLoadRecorder", "Label4", "", {{"Parent", "GroupBox1"}, {"Caption", "Status:"}}},
        {"TStatusBar",
         "StatusBar1",
         "",
         {{"Panels.Count", "2"}, {"Panels[0].Width", "22"}, {"Panels[1].Text", "bereit"}}},
        {"TLoadRecorder", "Label9", "", {{"Caption", "first"}, {"Font.Style", "[fsBold]"}, {"Caption", "second"}}},
        {"TLoadRecorder", "Inner", "Label9", {{"Caption", "owned by a label"}}},
    }};

TEST_F(WindowBuilderTest, CreatesComponentsInOrderAndAppliesEverySetting) {
  TForm& window = Build(kStatusWindow);
  EXPECT_EQ(application_.FindComponent("form1"), &window);
  EXPECT_EQ(window.Text(), "Kalvero");
  EXPECT_EQ(window.ClientWidth(), 641);
  EXPECT_EQ(window.Color(), clWhite);
  ASSERT_EQ(window.ComponentCount(), 4u);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < window.ComponentCount(); ++i) names.push_back(window.Component(i).Name());
  EXPECT_EQ(names, (std::vector<std::string>{"GroupBox1", "Label4", "StatusBar1", "Label9"}));

  auto& groupBox = dynamic_cast<TGroupBox&>(*window.FindComponent("GroupBox1"));
  auto& label4 = dynamic_cast<TLabel&>(*window.FindComponent("Label4"));
  EXPECT_EQ(label4.Parent(), &groupBox);
  EXPECT_EQ(label4.Owner(), &window) << "the window owns it, whatever its visual parent";
  const auto& bar = dynamic_cast<TStatusBar&>(*window.FindComponent("StatusBar1"));
  ASSERT_EQ(bar.Panels().Count(), 2);
  EXPECT_EQ(bar.Panels().Panel(0).Width(), 22);
  EXPECT_EQ(bar.Panels().Panel(1).Text(), "bereit");
  auto& label9 = dynamic_cast<TLabel&>(*window.FindComponent("Label9"));
  EXPECT_EQ(label9.Text(), "second") << "a property set twice keeps the later value";
  EXPECT_EQ(label9.Font().Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_NE(label9.FindComponent("Inner"), nullptr);
}

TEST_F(WindowBuilderTest, LoadsEveryComponentInOrderAfterTheLastSettingThenCreates) {
  Build(kStatusWindow);
  EXPECT_EQ(TLoadRecorder::Log(), (std::vector<std::string>{"Label4:Status:", "Label9:second", "Inner:owned by a label",
                                                            "window loaded", "created:Kalvero"}));
}

TEST_F(WindowBuilderTest, ReferenceNamesTheWindowItselfOrNothing) {
  TForm& window = Build({"TForm", "Form2", {}, {{"TGroupBox", "GroupBox1", "", {{"Parent", "form2"}}},
                                                {"TLabel", "Label1", "", {{"Parent", "GroupBox1"}, {"Parent", ""}}}}});
  EXPECT_EQ(dynamic_cast<TGroupBox&>(*window.FindComponent("GroupBox1")).Parent(), &window);
  // A parent set to nothing leaves the control to its window, as one described without a parent.
  EXPECT_EQ(dynamic_cast<TLabel&>(*window.FindComponent("Label1")).Parent(), &window);
}

TEST_F(WindowBuilderTest, AWindowSettingThatNamesAComponentTakesEffectOnceItIsBuilt) {
  TForm& window = Build({"TForm", "Form3", {{"ActiveControl", "Button1"}, {"Caption", "Info"}},
                         {{"TButton", "Button1", "", {}}, {"TButton", "Button2", "", {}}}});
  EXPECT_EQ(window.ActiveControl(), window.FindComponent("Button1"));
  EXPECT_THROW(Build({"TForm", "Form4", {{"ActiveControl", "Nobody"}}, {}}), EComponentError);
}

TEST_F(WindowBuilderTest, LaterRegistrationReplacesTheClass) {
  classes_.Register<TLoadRecorder>("tlabel");
  Build({"TForm", "Form2", {}, {{"TLabel", "Label1", "", {{"Caption", "replaced"}}}}});
  EXPECT_EQ(TLoadRecorder::Log(), std::vector<std::string>{"Label1:replaced"});
}

struct TFaultCase {
  std::string name;
  TWindowDescription description;
};

const std::vector<TFaultCase> kFaults = {
    {"UnknownWindowClass", {"TForm9", "Form9", {}, {}}},
    {"WindowClassIsNoWindow", {"TLabel", "Form9", {}, {}}},
    {"WindowNameTaken", {"TForm", "FORM1", {}, {}}},
    {"UnknownComponentClass", {"TForm", "Form9", {}, {{"TTrackBar", "TrackBar1", "", {}}}}},
    {"DuplicateComponentName", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {}}, {"TEdit", "label1", "", {}}}}},
    {"UnknownOwner", {"TForm", "Form9", {}, {{"TLabel", "Label1", "GroupBox1", {}}}}},
    {"UnknownProperty", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {{"Checked", "True"}}}}}},
    {"UnknownPath", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {{"Glyph.Name", "x"}}}}}},
    {"UnknownReference", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {{"Parent", "GroupBox1"}}}}}},
    {"ReferenceOfAnotherClass", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {{"Font", "Label1"}}}}}},
    {"ValueOutOfRange", {"TForm", "Form9", {{"ClientWidth", "-1"}}, {}}},
    {"ValueNotConverted", {"TForm", "Form9", {}, {{"TLabel", "Label1", "", {{"Alignment", "center"}}}}}},
    {"IndexBeyondTheItems", {"TForm", "Form9", {}, {{"TStatusBar", "StatusBar1", "", {{"Panels[0].Text", "x"}}}}}},
    {"ErrorInLoaded", {"TForm", "Form9", {}, {{"TFailingLabel", "Label1", "", {}}}}},
};

class WindowBuilderFaultTest : public WindowBuilderTest, public testing::WithParamInterface<TFaultCase> {};

TEST_P(WindowBuilderFaultTest, RaisesAndLeavesNoWindowBehind) {
  Build({"TForm", "Form1", {}, {}});
  EXPECT_THROW(Build(GetParam().description), EComponentError);
  EXPECT_EQ(application_.ComponentCount(), 1u);
  EXPECT_EQ(application_.Component(0).Name(), "Form1");
}

INSTANTIATE_TEST_SUITE_P(Descriptions, WindowBuilderFaultTest, testing::ValuesIn(kFaults), TCaseName());

}  // namespace
}  // namespace kalvero

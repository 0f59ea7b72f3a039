// What windows need of the model, without widgets: placing, tab order, alignment, the status bar,
// the progress bar, pictures, and the keyboard-cue repair with a platform that says it is Windows.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "components/application.h"
#include "components/image_controls.h"
#include "components/keyboard_cue_fix.h"
#include "components/progress_bar.h"
#include "components/status_bar.h"
#include "components/window_builder.h"

namespace kalvero {
namespace {

TEST(WindowModel, TabVisitsFocusableControlsDepthFirstByTabOrder) {
  TApplication application;
  TClassRegistry classes;
  RegisterStandardControls(classes);
  // The main window's input column: Edit1 comes before cb2 although it was described after it.
  TForm& window = BuildWindow(
      application,
      {"TForm",
       "Form1",
       {},
       {{"TGroupBox", "GroupBox1", "", {{"TabOrder", "0"}}},
        {"TSpeedButton", "SpeedButton1", "", {{"Parent", "GroupBox1"}}},
        {"TGroupBox", "GroupBox2", "", {{"TabOrder", "1"}}},
        {"TEdit", "dir", "", {{"Parent", "GroupBox2"}, {"TabOrder", "0"}}},
        {"TCheckBox", "cb2", "", {{"Parent", "GroupBox2"}, {"TabOrder", "2"}}},
        {"TLabel", "Label3", "", {{"Parent", "GroupBox2"}}},
        {"TEdit", "Edit1", "", {{"Parent", "GroupBox2"}, {"TabOrder", "1"}}},
        {"TButton", "Button2", "", {{"Parent", "GroupBox2"}, {"TabOrder", "4"}}},
        {"TButton", "Button1", "", {{"Parent", "GroupBox2"}, {"TabOrder", "3"}, {"TabStop", "False"}}}}},
      classes);
  std::vector<std::string> names;
  for (const TControl* control : window.TabChain()) names.push_back(control->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"dir", "Edit1", "cb2", "Button2"}));
  EXPECT_EQ(static_cast<TControl*>(window.FindComponent("GroupBox1"))->Parent(), &window)
      << "a control described without a parent is placed in its window";
}

TEST(WindowModel, ControlsKeptToAnEdgeFollowTheClientArea) {
  TForm window;
  window.SetClientWidth(641);
  window.SetClientHeight(360);
  auto& bar = window.CreateComponent<TStatusBar>("StatusBar1");
  bar.SetParent(&window);
  bar.SetHeight(20);
  bar.Loaded();
  EXPECT_EQ(std::vector<int>({bar.Left(), bar.Top(), bar.Width(), bar.Height()}), std::vector<int>({0, 340, 641, 20}));
  window.SetClientHeight(400);
  EXPECT_EQ(bar.Top(), 380);
  auto& top = window.CreateComponent<TPanel>("Top");
  top.SetHeight(30);
  top.SetParent(&window);
  top.SetAlign(TAlign::alTop);
  auto& rest = window.CreateComponent<TPanel>("Rest");
  rest.SetParent(&window);
  rest.SetAlign(TAlign::alClient);
  EXPECT_EQ(std::vector<int>({rest.Left(), rest.Top(), rest.Width(), rest.Height()}),
            std::vector<int>({0, 30, 641, 350}));
}

TEST(WindowModel, StatusPanelsFollowEachOtherAndTheLastReachesTheEnd) {
  TStatusBar bar;
  bar.Panels().SetCount(2);
  bar.Panels().Panel(0).SetWidth(22);
  using TEdges = std::vector<std::pair<std::int32_t, std::int32_t>>;
  EXPECT_EQ(bar.PanelEdges(641), (TEdges{{0, 22}, {22, 641}}));
  EXPECT_EQ(bar.PanelEdges(10), (TEdges{{0, 22}, {22, 22}})) << "a bar narrower than its panels";
  bar.Panels().SetCount(0);
  EXPECT_TRUE(bar.PanelEdges(641).empty());
}

TEST(WindowModel, ProgressPositionStaysWithinTheRange) {
  TProgressBar bar;
  bar.SetMax(3);
  bar.StepBy(1);
  bar.StepBy(5);
  EXPECT_EQ(bar.Position(), 3);
  bar.SetMax(2);
  EXPECT_EQ(bar.Position(), 2);
  bar.SetMin(5);
  EXPECT_EQ(std::vector<int>({bar.Min(), bar.Max(), bar.Position()}), std::vector<int>({5, 5, 5}));
}

TEST(WindowModel, ImageListHandsOutItsPicturesByNumber) {
  TImageList list;
  list.Pictures().SetText("status-idle\r\nstatus-scanning\r\n");
  TImage image;
  int changes = 0;
  image.Picture().OnChange = [&changes] { ++changes; };
  list.GetPicture(1, image.Picture());
  list.GetPicture(1, image.Picture());
  EXPECT_EQ(image.Picture().Name(), "status-scanning");
  EXPECT_EQ(changes, 1) << "the same picture again is no change";
  list.GetPicture(7, image.Picture());
  EXPECT_TRUE(image.Picture().Empty());
}

TEST(WindowModel, CentredOverKeepsTheWindowOnTheScreen) {
  EXPECT_EQ(CentredOver({100, 50, 757, 449}, {506, 348}), (TPoint{175, 75}));
  EXPECT_EQ(CentredOver({0, 0, 641, 399}, {700, 420}), (TPoint{0, 0})) << "negative becomes 0";
  EXPECT_EQ(CentredOver({0, 0, 1024, 768}, {657, 399}), (TPoint{183, 184})) << "rounded toward zero";
}

// A window whose keyboard cues the test changes, and which counts its repaints.
class TCueWindow final : public TForm {
 public:
  void WatchKeyboardCues(std::function<void()> changed) override { cuesChanged = std::move(changed); }
  void RepaintAll() override { ++repaints; }
  std::function<void()> cuesChanged;
  int repaints = 0;
};

TEST(KeyboardCueFix, OnVistaWithStylesRepaintsWindowsWhoseCuesChangedAtTheNextIdle) {
  TApplication application;
  auto& main = application.CreateComponent<TCueWindow>("Form1");
  auto& fix = main.InsertComponent(std::make_unique<TKeyboardCueFix>(TWindowsVersion{6, true}), "KeyboardCueFix1");
  auto& about = application.CreateComponent<TCueWindow>("Form2");
  application.Idle();
  EXPECT_EQ(static_cast<TKeyboardCueFix&>(fix).TrackedCount(), 2u) << "every window, shown or not";
  ASSERT_TRUE(about.cuesChanged);
  about.cuesChanged();
  EXPECT_EQ(about.repaints, 0) << "only when the application is idle";
  application.Idle();
  application.Idle();
  EXPECT_EQ(about.repaints, 1);
  EXPECT_EQ(main.repaints, 0);
  const auto watch = about.cuesChanged;
  application.DestroyComponent(about);
  application.Idle();
  EXPECT_EQ(static_cast<TKeyboardCueFix&>(fix).TrackedCount(), 1u) << "a window gone is forgotten";
  watch();  // a late report for an entry that is gone does nothing
}

TEST(KeyboardCueFix, ElsewhereDoesNothingAtAll) {
  for (const TWindowsVersion version : {TWindowsVersion{}, TWindowsVersion{5, true}, TWindowsVersion{6, false}}) {
    TApplication application;
    auto& main = application.CreateComponent<TCueWindow>("Form1");
    auto& fix = main.InsertComponent(std::make_unique<TKeyboardCueFix>(version), "KeyboardCueFix1");
    application.Idle();
    EXPECT_FALSE(static_cast<TKeyboardCueFix&>(fix).Active());
    EXPECT_FALSE(main.cuesChanged) << version.major;
  }
}

}  // namespace
}  // namespace kalvero

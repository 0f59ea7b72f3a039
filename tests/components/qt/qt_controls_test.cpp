// The Qt-backed controls on the offscreen platform: a window built from its description forwards
// its values to its widgets, and what the user does comes back as the model's events.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "components/image_controls.h"
#include "components/progress_bar.h"
#include "components/qt/qt_application.h"
#include "components/qt/qt_controls.h"
#include "components/qt/qt_edit.h"
#include "components/qt/qt_form.h"
#include "components/qt/qt_registry.h"
#include "components/window_builder.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/widget_of.h"

namespace kalvero {
namespace {

const TWindowDescription kWindow = {
    "TForm",
    "Form1",
    {{"Caption", "Kalvero 1.3 - Manage your image!"},
     {"ClientWidth", "641"},
     {"ClientHeight", "360"},
     {"BorderStyle", "bsSingle"},
     {"BorderIcons", "[biSystemMenu]"},
     {"Color", "clWhite"}},
    {{"TGroupBox", "GroupBox2", "", {{"Left", "184"}, {"Top", "8"}, {"Width", "441"}, {"Height", "313"}}},
     {"TLabel", "Label1", "", {{"Parent", "GroupBox2"}, {"Left", "24"}, {"Top", "26"}, {"Caption", "Quellordner:"}}},
     {"TEdit", "Edit1", "", {{"Parent", "GroupBox2"}, {"Left", "128"}, {"Top", "176"}, {"Width", "257"}, {"Height", "21"},
                             {"TabOrder", "1"}}},
     {"TEdit", "Edit2", "", {{"Parent", "GroupBox2"}, {"Left", "304"}, {"Top", "144"}, {"Width", "81"}, {"Height", "21"},
                             {"MaxLength", "10"}, {"TabOrder", "2"}}},
     {"TCheckBox", "cb1", "", {{"Parent", "GroupBox2"}, {"Left", "128"}, {"Top", "90"}, {"Width", "289"}, {"Height", "17"},
                               {"Caption", "Unterverzeichnisse einbeziehen"}, {"Checked", "True"}, {"TabOrder", "0"}}},
     {"TButton", "Button1", "", {{"Parent", "GroupBox2"}, {"Left", "128"}, {"Top", "264"}, {"Width", "129"},
                                 {"Height", "25"}, {"Caption", "Dateien kopieren"}, {"TabOrder", "3"}}},
     {"TSpeedButton", "SpeedButton3", "", {{"Parent", "GroupBox2"}, {"Left", "394"}, {"Top", "143"}, {"Width", "22"},
                                           {"Height", "22"}, {"Flat", "True"}, {"Glyph.Name", "help"}}},
     {"TProgressBar", "bar", "", {{"Left", "22"}, {"Top", "144"}, {"Width", "106"}, {"Height", "16"}}},
     {"TImage", "Image2", "", {{"Left", "30"}, {"Top", "280"}, {"Width", "16"}, {"Height", "11"},
                               {"Picture.Name", "flag-en"}}},
     {"TPanelStatusBar", "StatusBar1", "", {{"Height", "20"}, {"SizeGrip", "False"}, {"Panels.Count", "2"},
                                            {"Panels[0].Width", "22"}}}}};

class QtControlsTest : public testing::Test {
 protected:
  QtControlsTest() {
    application.OnException = [this](const std::string& message) { errors.push_back(message); };
    RegisterQtControls(classes);
    window = static_cast<TQtForm*>(&BuildWindow(application, kWindow, classes));
  }

  template <class T>
  T& Control(const char* name) const {
    return *dynamic_cast<T*>(window->FindComponent(name));
  }
  void ShowWindow() {
    window->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window->Widget()));
  }

  TRecordingDialogs dialogs;
  TQtApplication application{dialogs};
  TClassRegistry classes;
  TQtForm* window = nullptr;
  std::vector<std::string> errors;
};

TEST_F(QtControlsTest, WidgetsShowTheDescribedValuesAtTheirPlaces) {
  ShowWindow();
  EXPECT_EQ(window->Widget().size(), QSize(641, 360));
  EXPECT_EQ(window->Widget().minimumSize(), window->Widget().maximumSize()) << "a single border does not size";
  EXPECT_EQ(window->Widget().windowTitle(), "Kalvero 1.3 - Manage your image!");
  EXPECT_TRUE(window->Widget().windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window->Widget().windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window->Widget().palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(WidgetOf<QLineEdit>(*window, "Edit1").geometry(), QRect(128, 176, 257, 21));
  EXPECT_EQ(WidgetOf<QLineEdit>(*window, "Edit1").parentWidget(), &WidgetOf<QWidget>(*window, "GroupBox2"));
  EXPECT_TRUE(WidgetOf<QCheckBox>(*window, "cb1").isChecked());
  EXPECT_EQ(WidgetOf<QCheckBox>(*window, "cb1").text(), "Unterverzeichnisse einbeziehen");
  const auto& label = Control<TLabel>("Label1");
  EXPECT_GT(label.Width(), 0) << "an auto-sized label takes its caption's size";
  EXPECT_EQ(WidgetOf<QLabel>(*window, "Label1").size(), QSize(label.Width(), label.Height()));
  EXPECT_FALSE(WidgetOf<QLabel>(*window, "Image2").pixmap().isNull()) << "the picture comes from the program's artwork";
  EXPECT_EQ(WidgetOf<QWidget>(*window, "StatusBar1").geometry(), QRect(0, 340, 641, 20)) << "kept along the bottom";
  Control<TProgressBar>("bar").SetMax(3);
  Control<TProgressBar>("bar").StepBy(1);
  EXPECT_EQ(WidgetOf<QProgressBar>(*window, "bar").value(), 1);
  EXPECT_EQ(WidgetOf<QProgressBar>(*window, "bar").maximum(), 3);
  Control<TControl>("Button1").SetVisible(false);
  EXPECT_FALSE(WidgetOf<QWidget>(*window, "Button1").isVisible());
}

// The frame, title bar included, is centred: offscreen the window has no frame; on a desktop the
// frame comes after the showing (ctest -L xserver runs this under X with a window manager).
TEST_F(QtControlsTest, TheFirstShowingCentresTheFrameOnTheScreen) {
  window->SetPosition(TPosition::poScreenCenter);
  ShowWindow();
  QWidget& widget = window->Widget();
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return widget.frameGeometry() != widget.geometry(); })) << "no window manager";
    QTest::qWait(500);  // the window manager's answer to the move
  }
  const QRect screen = widget.screen()->geometry(), frame = widget.frameGeometry();
  EXPECT_EQ(frame.topLeft(), QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2));
  EXPECT_EQ(window->Left(), frame.left());
  EXPECT_EQ(window->Top(), frame.top());
}

// The bar is the button face, not the white of its window, and each panel's line is lowered: dark
// above and left, light below and right, both unlike the face.
TEST_F(QtControlsTest, TheStatusBarShowsItsPanelsLoweredOnTheButtonFace) {
  ShowWindow();
  const QImage bar = WidgetOf<QWidget>(*window, "StatusBar1").grab().toImage();
  const QRgb face = ToQColor(clBtnFace).rgb(), dark = ToQColor(SystemColor(TSystemColor::BtnShadow)).rgb(),
             light = ToQColor(SystemColor(TSystemColor::BtnHighlight)).rgb();
  ASSERT_NE(face, light);
  ASSERT_NE(face, dark);
  struct TPixel {
    QPoint at;
    QRgb color;
  };
  // Panel 1 is framed from x 25 to 640 and from y 2 to 18.
  const TPixel pixels[] = {{{1, 10}, face},  {{100, 0}, face},   {{100, 10}, face}, {{100, 2}, dark},
                           {{25, 10}, dark}, {{100, 18}, light}, {{640, 10}, light}};
  for (const TPixel& pixel : pixels)
    EXPECT_EQ(bar.pixel(pixel.at), pixel.color) << pixel.at.x() << ", " << pixel.at.y();
}

TEST_F(QtControlsTest, UserActionsRaiseTheModelsEventsAndProgramWritesChangeOnce) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit1");
  std::vector<std::string> changes;
  edit.OnChange = [&](TComponent&) { changes.push_back(edit.Text()); };
  WidgetOf<QLineEdit>(*window, "Edit1").setFocus();
  QTest::keyClicks(&WidgetOf<QLineEdit>(*window, "Edit1"), "DD");
  EXPECT_EQ(changes, (std::vector<std::string>{"D", "DD"})) << "each keystroke is a change";
  edit.SetText("YYYY");
  edit.SetText("YYYY");
  EXPECT_EQ(changes.size(), 3u) << "a program write fires once, the same text nothing";
  EXPECT_EQ(WidgetOf<QLineEdit>(*window, "Edit1").text(), "YYYY");

  int clicks = 0;
  Control<TCheckBox>("cb1").OnClick = [&](TComponent&) { ++clicks; };
  Control<TButton>("Button1").OnClick = [&](TComponent&) { ++clicks; };
  QTest::mouseClick(&WidgetOf<QCheckBox>(*window, "cb1"), Qt::LeftButton);
  EXPECT_FALSE(Control<TCheckBox>("cb1").Checked());
  Control<TCheckBox>("cb1").SetChecked(true);
  QTest::mouseClick(&WidgetOf<QPushButton>(*window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(clicks, 2) << "a program write of Checked is no click";
}

TEST_F(QtControlsTest, TheKeyFilterSeesTypedAndInputMethodCharactersOneByOne) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit1");
  std::u32string seen;
  edit.OnKeyPress = [&](TComponent&, char32_t& key) {
    seen += key;
    if (key == U':' || key == U'/') key = U'\0';
  };
  auto& widget = WidgetOf<QLineEdit>(*window, "Edit1");
  widget.setFocus();
  QTest::keyClicks(&widget, "a:b");
  // A key that types a character outside the BMP, which UTF-16 holds in two halves.
  QKeyEvent camera(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(U"\U0001F4F7", 1));
  QApplication::sendEvent(&widget, &camera);
  QInputMethodEvent committed;
  committed.setCommitString(QString::fromUtf8("\xC3\xA4/\xE2\x82\xAC"));
  QApplication::sendEvent(&widget, &committed);
  EXPECT_EQ(seen, U"a:b\U0001F4F7\u00E4/\u20AC");
  EXPECT_EQ(widget.text(), QString::fromUtf8("ab\xF0\x9F\x93\xB7\xC3\xA4\xE2\x82\xAC"));
  EXPECT_EQ(edit.Text(), "ab\xF0\x9F\x93\xB7\xC3\xA4\xE2\x82\xAC");
}

TEST_F(QtControlsTest, TheLengthLimitHoldsForTypingAndPastingButNotForTheProgram) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit2");
  auto& widget = WidgetOf<QLineEdit>(*window, "Edit2");
  edit.SetText("YYYY.MM.DDx");
  EXPECT_EQ(widget.text(), "YYYY.MM.DDx") << "a stored pattern of 11 characters is kept whole";
  EXPECT_EQ(edit.Text(), "YYYY.MM.DDx");
  edit.SetText("");
  widget.setFocus();
  QTest::keyClicks(&widget, "YYYY.MM.DD-more");
  EXPECT_EQ(edit.Text(), "YYYY.MM.DD");
  widget.clear();
  QGuiApplication::clipboard()->setText("DD.MM.YYYY and more");
  widget.paste();
  EXPECT_EQ(widget.text(), "DD.MM.YYYY") << "a paste is cut to what fits";
}

TEST_F(QtControlsTest, ATextThatIsNoUtf8IsKeptByTheModelUntilTheUserEditsIt) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit1");
  const std::string path = "/media/karte/DCIM/\xE4rger";  // Latin-1, not UTF-8
  edit.SetText(path);
  EXPECT_EQ(edit.Text(), path);
  EXPECT_EQ(WidgetOf<QLineEdit>(*window, "Edit1").text(), QString::fromUtf8("/media/karte/DCIM/\xEF\xBF\xBDrger"));
  WidgetOf<QLineEdit>(*window, "Edit1").setFocus();
  QTest::keyClick(&WidgetOf<QLineEdit>(*window, "Edit1"), Qt::Key_End);
  QTest::keyClick(&WidgetOf<QLineEdit>(*window, "Edit1"), Qt::Key_Backspace);
  EXPECT_EQ(edit.Text(), "/media/karte/DCIM/\xEF\xBF\xBDrge") << "the widget's UTF-8 replaces it";
}

TEST_F(QtControlsTest, AThrowingHandlerGivesOneErrorBoxAndTheWindowGoesOn) {
  ShowWindow();
  Control<TButton>("Button1").OnClick = [](TComponent&) { throw EComponentError("Cannot create the folder"); };
  QTest::mouseClick(&WidgetOf<QPushButton>(*window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(errors, std::vector<std::string>{"Cannot create the folder"});
  application.OnException = nullptr;
  QTest::mouseClick(&WidgetOf<QPushButton>(*window, "Button1"), Qt::LeftButton);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].kind, TMessageKind::Error);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot create the folder.");
}

TEST_F(QtControlsTest, TabFollowsTheTabOrderAndOnExitOnlyAMoveInsideTheWindow) {
  ShowWindow();
  std::vector<QWidget*> visited;
  QWidget* widget = &WidgetOf<QWidget>(*window, "cb1");
  widget->setFocus();
  for (int i = 0; i < 4; ++i) {
    visited.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited, (std::vector<QWidget*>{&WidgetOf(*window, "cb1"), &WidgetOf(*window, "Edit1"),
                                            &WidgetOf(*window, "Edit2"), &WidgetOf(*window, "Button1")}));

  int exits = 0;
  Control<TEdit>("Edit2").OnExit = [&exits](TComponent&) { ++exits; };
  Control<TEdit>("Edit2").SetFocus();
  // Another window takes the focus and gives it back: no exit.
  TForm& help = BuildWindow(application, {"TForm", "Form3", {{"ClientWidth", "200"}}, {{"TButton", "Button1", "", {}}}},
                            classes);
  help.Show();
  static_cast<TControl*>(help.FindComponent("Button1"))->SetFocus();
  window->BringToFront();
  Control<TEdit>("Edit2").SetFocus();
  EXPECT_EQ(exits, 0);
  Control<TEdit>("Edit1").SetFocus();
  EXPECT_EQ(exits, 1);
}

TEST_F(QtControlsTest, TheCloseBoxOfTheMainWindowEndsTheProgramOfAnotherHidesIt) {
  ShowWindow();
  TQtForm& about = static_cast<TQtForm&>(BuildWindow(application, {"TForm", "Form2", {{"ClientWidth", "321"}}, {}}, classes));
  int closes = 0;
  window->OnClose = [&closes](TComponent&) { ++closes; };
  about.Show();
  about.Widget().close();
  EXPECT_FALSE(about.Visible());
  EXPECT_FALSE(about.Widget().isVisible());
  EXPECT_FALSE(application.Terminated());
  about.Show();
  window->Widget().close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(application.Terminated());
}

TEST_F(QtControlsTest, AHintComesFromTheApplicationBelowThePointerAndOnlyWithText) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit1");
  edit.SetShowHint(true);
  std::vector<THintInfo> asked;
  std::string supplied;
  application.OnShowHint = [&](std::string& hint, bool&, THintInfo& info) {
    asked.push_back(info);
    hint = supplied;
  };
  auto& widget = WidgetOf<QLineEdit>(*window, "Edit1");
  const QPoint inside(10, 5);
  QHelpEvent help(QEvent::ToolTip, inside, widget.mapToGlobal(inside));
  QApplication::sendEvent(&widget, &help);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].hintControl, &edit);
  EXPECT_EQ(asked[0].hintPos.y, asked[0].cursorPos.y + TQtApplication::kPointerHeight);
  EXPECT_FALSE(application.HintWindow() != nullptr && application.HintWindow()->IsShowing()) << "no text, no hint";
  supplied = "Platzhalter";
  QApplication::sendEvent(&widget, &help);
  ASSERT_NE(application.HintWindow(), nullptr);
  Control<TCheckBox>("cb1").SetShowHint(false);
  QHelpEvent other(QEvent::ToolTip, inside, WidgetOf<QWidget>(*window, "cb1").mapToGlobal(inside));
  QApplication::sendEvent(&WidgetOf<QWidget>(*window, "cb1"), &other);
  EXPECT_EQ(asked.size(), 2u) << "a control that shows no hints asks nothing";
}

}  // namespace
}  // namespace kalvero

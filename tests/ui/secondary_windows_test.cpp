// The About and help windows built from their descriptions, driven on the offscreen platform
// behind a small main window that holds the program's language synchroniser.

#include <QApplication>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "components/qt/qt_application.h"
#include "components/qt/qt_form.h"
#include "components/qt/qt_registry.h"
#include "localisation/multilanguage.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/widget_of.h"
#include "tests/ui/secondary_window_cases.h"
#include "ui/secondary_window_classes.h"
#include "ui/secondary_windows.h"

namespace kalvero {
namespace {

// The application with its main window Form1 shown at `mainFrame` (the offscreen platform draws no
// decoration, so frame and client area are the same) and the secondary windows built after it.
class TTestProgram {
 public:
  explicit TTestProgram(QRect mainFrame = {100, 80, 641, 360}) {
    RegisterQtControls(classes);
    RegisterLanguageClasses(classes);
    RegisterSecondaryWindows(classes);
    main = &Build({"TForm",
                   "Form1",
                   {{"Left", std::to_string(mainFrame.left())},
                    {"Top", std::to_string(mainFrame.top())},
                    {"ClientWidth", std::to_string(mainFrame.width())},
                    {"ClientHeight", std::to_string(mainFrame.height())},
                    {"BorderStyle", "bsSingle"}},
                   {{"TMultilanguageSync", "", "", {{"Language", "German"}}},
                    {"TMultilanguage", "lng", "", {{"Language", "German"}}}}});
    main->Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main->Widget()));
  }

  TQtForm& Build(const TWindowDescription& description) {
    return static_cast<TQtForm&>(BuildWindow(application, description, classes));
  }
  // Form2, Form3 and Form4, in the order the program creates them.
  void BuildSecondaryWindows() {
    for (TDescriptionFunction description :
         {AboutWindowDescription, FolderHelpWindowDescription, FileHelpWindowDescription})
      Build(description());
  }
  void SwitchLanguage(const std::string& language) {
    static_cast<TMultilanguage*>(main->FindComponent("lng"))->SetLanguage(language);
  }

  TQtForm& Window(const char* name) const { return *dynamic_cast<TQtForm*>(application.FindComponent(name)); }
  TControl& Control(const char* window, const char* name) const {
    return *dynamic_cast<TControl*>(Window(window).FindComponent(name));
  }
  // The widget of a control, or the window's own for the window's name.
  QWidget& WidgetOf(const char* window, const char* name) const {
    if (std::string_view(window) == name) return Window(window).Widget();
    return kalvero::WidgetOf(Window(window), name);
  }
  // What a label or group box shows on screen.
  std::string Shown(const char* window, const char* name) const {
    QWidget& widget = WidgetOf(window, name);
    if (auto* box = qobject_cast<QGroupBox*>(&widget)) return box->title().toStdString();
    return qobject_cast<QLabel*>(&widget)->text().toStdString();
  }
  void ShowAndWait(TQtForm& window) const {
    window.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window.Widget()));
  }

  TRecordingDialogs dialogs;
  TRecordingShell shell;
  TQtApplication application{dialogs, &shell};
  TClassRegistry classes;
  TQtForm* main = nullptr;
};

class SecondaryWindowTest : public testing::TestWithParam<TWindowCase> {
 protected:
  SecondaryWindowTest() { window = &program.Build(GetParam().description()); }

  TTestProgram program;
  TQtForm* window = nullptr;
};

TEST_P(SecondaryWindowTest, ControlsSitWhereDescribedAndOnlyOkTakesTheFocus) {
  const TWindowCase& expected = GetParam();
  EXPECT_EQ(window->Widget().size(), QSize(expected.clientWidth, expected.clientHeight));
  EXPECT_EQ(window->Widget().minimumSize(), window->Widget().maximumSize());
  EXPECT_EQ(window->Widget().windowTitle().toStdString(), expected.caption);
  EXPECT_EQ(window->Widget().palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(window->Visible()) << "windows start hidden";
  for (const TPlace& place : expected.places) {
    SCOPED_TRACE(place.name);
    const QWidget& widget = program.WidgetOf(expected.window, place.name);
    EXPECT_EQ(widget.parentWidget(), &program.WidgetOf(expected.window, place.parent));
    EXPECT_EQ(widget.pos(), QPoint(place.left, place.top));
    if (place.width > 0) EXPECT_EQ(widget.size(), QSize(place.width, place.height));
    else EXPECT_GT(widget.width(), 0) << "a label takes its caption's size";
  }
  for (QWidget* widget : window->Widget().findChildren<QWidget*>()) {
    const std::string name = ControlOf(widget) != nullptr ? ControlOf(widget)->Name() : "a widget of no control";
    SCOPED_TRACE(name);
    EXPECT_EQ(widget->focusPolicy() != Qt::NoFocus, widget == &program.WidgetOf(expected.window, "Button1"));
    EXPECT_EQ(widget->font().family(), "Tahoma");
    const bool title = expected.window == std::string("Form2") && name == "Label1";
    EXPECT_EQ(widget->font().pixelSize(), title ? 19 : 11);
    EXPECT_EQ(widget->font().bold(), std::ranges::count(expected.bold, name) > 0);
  }
  EXPECT_EQ(window->ActiveControl(), &program.Control(expected.window, "Button1"));
  program.ShowAndWait(*window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window->Widget()));
  EXPECT_EQ(QApplication::focusWidget(), &program.WidgetOf(expected.window, "Button1"));
}

// The close box first, after the user moved the window; then OK on the next showing, which
// keeps the place the window was hidden at even though the main window moved.
TEST_P(SecondaryWindowTest, OkAndTheCloseBoxOnlyHideTheWindowWhichComesBackWhereItWas) {
  for (const bool byCloseBox : {true, false}) {
    SCOPED_TRACE(byCloseBox ? "close box" : "OK");
    program.ShowAndWait(*window);
    if (byCloseBox) {
      window->Widget().move(37, 45);
      window->Widget().close();
      program.main->Widget().move(300, 200);
    } else {
      EXPECT_EQ(window->Widget().pos(), QPoint(37, 45));
      EXPECT_EQ(window->Left(), 37);
      QTest::mouseClick(&program.WidgetOf(GetParam().window, "Button1"), Qt::LeftButton);
    }
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(window->Widget().isVisible());
    EXPECT_FALSE(program.application.Terminated());
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, SecondaryWindowTest, testing::ValuesIn(kSecondaryWindows), TCaseName());

struct TCentringCase {
  std::string name;
  QRect main;
  TDescriptionFunction description;
  const char* window;
  QPoint expected;
};

// left = main's left + (main's width - own width) / 2, rounded toward zero; negative gives 0.
const std::vector<TCentringCase> kCentrings = {
    {"AboutOverTheMainWindow", {100, 80, 641, 360}, AboutWindowDescription, "Form2", {260, 153}},
    {"HalvesRoundDown", {100, 80, 641, 360}, FolderHelpWindowDescription, "Form3", {175, 105}},
    {"NegativeHalvesRoundTowardZero", {30, 40, 300, 200}, AboutWindowDescription, "Form2", {20, 33}},
    {"NegativeCornerBecomesZero", {10, 20, 200, 100}, FileHelpWindowDescription, "Form4", {0, 0}},
};

class FirstShowingTest : public testing::TestWithParam<TCentringCase> {};

TEST_P(FirstShowingTest, IsCentredOverTheMainWindow) {
  TTestProgram program(GetParam().main);
  program.BuildSecondaryWindows();
  TQtForm& window = program.Window(GetParam().window);
  program.ShowAndWait(window);
  EXPECT_EQ(window.Widget().pos(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Places, FirstShowingTest, testing::ValuesIn(kCentrings), TCaseName());

class LanguageSwitchTest : public testing::TestWithParam<TLanguageCase> {};

// German to English first, so that the German row switches back.
TEST_P(LanguageSwitchTest, ReachesBothHelpWindowsShownOrHiddenButNeitherTokensNorTheAboutWindow) {
  TTestProgram program;
  program.BuildSecondaryWindows();
  program.ShowAndWait(program.Window("Form3"));
  program.SwitchLanguage("English");
  program.SwitchLanguage(GetParam().name);
  EXPECT_EQ(program.Shown("Form3", "GroupBox2"), GetParam().folderExamples);
  EXPECT_EQ(program.Shown("Form4", "Label11"), GetParam().fileExample) << "Form4 is hidden";
  for (const TFixedText& fixed : kFixedTexts) {
    EXPECT_EQ(program.Control(fixed.window, fixed.control).Text(), fixed.text) << fixed.window << "." << fixed.control;
    EXPECT_EQ(program.Shown(fixed.window, fixed.control), fixed.text) << fixed.window << "." << fixed.control;
  }
  EXPECT_EQ(program.Window("Form2").Text(), "Kalvero 1.3");
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageSwitchTest, testing::ValuesIn(kSecondaryWindowLanguages), TCaseName());

TEST(SecondaryWindows, AHelpWindowCreatedAfterASwitchOpensInThatLanguage) {
  TTestProgram program;
  program.SwitchLanguage("French");
  program.BuildSecondaryWindows();
  EXPECT_EQ(program.Shown("Form3", "Label3"), "L'ann\xC3\xA9" "e indique sous cette forme : 2004");
  EXPECT_EQ(program.Shown("Form4", "Label12"), "Vacances 2004 - 0001.jpg");
  EXPECT_EQ(program.Shown("Form2", "Label2"), "Vandrel Softwareentwicklung");
}

TEST(SecondaryWindows, TheLinkLabelFollowsThePointerAndOpensTheMakersWebPage) {
  TTestProgram program;
  program.BuildSecondaryWindows();
  TQtForm& about = program.Window("Form2");
  program.ShowAndWait(about);
  TControl& link = program.Control("Form2", "Label2");
  auto& widget = WidgetOf<QLabel>(about, "Label2");
  ASSERT_EQ(link.Font().Color(), clWindowText) << "designed in the window-text colour";

  QEnterEvent enter(QPointF(4, 4), widget.mapTo(&about.Widget(), QPointF(4, 4)), widget.mapToGlobal(QPointF(4, 4)));
  QApplication::sendEvent(&widget, &enter);
  EXPECT_TRUE(link.Font().Style().Contains(TFontStyle::fsUnderline));
  EXPECT_EQ(link.Font().Color(), RgbColor(0, 0, 255));
  EXPECT_TRUE(widget.font().underline());
  EXPECT_EQ(widget.palette().color(QPalette::WindowText), QColor(0, 0, 255));

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&widget, &leave);
  EXPECT_FALSE(link.Font().Style().Contains(TFontStyle::fsUnderline));
  EXPECT_EQ(link.Font().Color(), clBlack);
  EXPECT_FALSE(widget.font().underline());
  EXPECT_EQ(widget.palette().color(QPalette::WindowText), QColor(Qt::black));

  EXPECT_NE(widget.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseMove(about.Widget().windowHandle(), widget.mapTo(&about.Widget(), QPoint(6, 4)));
  EXPECT_EQ(link.Cursor(), crHandPoint);
  EXPECT_EQ(widget.cursor().shape(), Qt::PointingHandCursor);

  QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, 4));
  EXPECT_EQ(program.shell.opened, std::vector<std::string>{"https://www.example.org/kalvero"});
  EXPECT_TRUE(about.Visible());
  EXPECT_TRUE(program.dialogs.boxes.empty());
}

}  // namespace
}  // namespace kalvero

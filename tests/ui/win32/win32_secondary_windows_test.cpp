// The About and help windows over Win32, behind a small main window that holds the program's
// language synchroniser: what the window system shows of them, checked with its own calls.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "components/native_controls.h"
#include "components/win32/win32_application.h"
#include "components/win32/win32_control.h"
#include "components/win32/win32_form.h"
#include "components/window_builder.h"
#include "localisation/multilanguage.h"
#include "platform/win32/wide_text.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/win32_messages.h"
#include "tests/ui/secondary_window_cases.h"
#include "ui/secondary_window_classes.h"

namespace kalvero {
namespace {

RECT BoundsInParent(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

using TPair = std::pair<int, int>;
TPair Corner(const RECT& rect) { return {rect.left, rect.top}; }
TPair Size(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// The extent of `text` in Tahoma of `height` pixels, measured apart from the controls.
SIZE TahomaExtent(const std::string& text, int height, bool bold) {
  const HFONT font = CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  const std::wstring wide = WideText(text);
  SIZE extent{};
  GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return extent;
}

// The application with its main window Form1 and the secondary windows built after it.
class TTestProgram {
 public:
  TTestProgram() {
    RegisterNativeControls(classes);
    RegisterLanguageClasses(classes);
    RegisterSecondaryWindows(classes);
    main = &Build({"TForm",
                   "Form1",
                   {{"Left", "100"}, {"Top", "80"}, {"ClientWidth", "641"}, {"ClientHeight", "360"},
                    {"BorderStyle", "bsSingle"}},
                   {{"TMultilanguageSync", "", "", {{"Language", "German"}}},
                    {"TMultilanguage", "lng", "", {{"Language", "German"}}}}});
    main->Show();
    PumpUntil([this] { return GetActiveWindow() == main->Handle(); });
  }

  TWin32Form& Build(const TWindowDescription& description) {
    return static_cast<TWin32Form&>(BuildWindow(application, description, classes));
  }
  void BuildSecondaryWindows() {
    for (TDescriptionFunction description :
         {AboutWindowDescription, FolderHelpWindowDescription, FileHelpWindowDescription})
      Build(description());
  }
  void SwitchLanguage(const std::string& language) {
    static_cast<TMultilanguage*>(main->FindComponent("lng"))->SetLanguage(language);
  }
  TWin32Form& Window(const char* name) const { return DescribedComponent<TWin32Form>(application, name); }
  TControl& Control(const char* window, const char* name) const {
    return DescribedComponent<TControl>(Window(window), name);
  }
  HWND Handle(const char* window, const char* name) const {
    return std::string(window) == name ? Window(window).Handle() : HandleOf(Control(window, name));
  }
  void ShowAndWait(TWin32Form& window) const {
    window.Show();
    PumpUntil([&window] { return GetActiveWindow() == window.Handle(); });
  }

  TRecordingDialogs dialogs;
  TRecordingShell shell;
  TWin32Application application{dialogs, &shell};
  TClassRegistry classes;
  TWin32Form* main = nullptr;
};

class Win32SecondaryWindowTest : public testing::TestWithParam<TWindowCase> {
 protected:
  Win32SecondaryWindowTest() { window = &program.Build(GetParam().description()); }

  TTestProgram program;
  TWin32Form* window = nullptr;
};

TEST_P(Win32SecondaryWindowTest, ControlsSitWhereDescribedLabelsHoldTheirCaptionsAndOnlyOkTakesTheFocus) {
  const TWindowCase& expected = GetParam();
  RECT client;
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(Size(client), TPair(expected.clientWidth, expected.clientHeight));
  const LONG_PTR style = GetWindowLongPtrW(window->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0) << "a fixed window with the close box only";
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(NarrowText(WindowText(window->Handle())), expected.caption);
  EXPECT_FALSE(IsWindowVisible(window->Handle())) << "windows start hidden";
  for (const TPlace& place : expected.places) {
    SCOPED_TRACE(place.name);
    const HWND control = program.Handle(expected.window, place.name);
    EXPECT_EQ(GetParent(control), program.Handle(expected.window, place.parent));
    const RECT bounds = BoundsInParent(control);
    EXPECT_EQ(Corner(bounds), TPair(place.left, place.top));
    if (place.width > 0) {
      EXPECT_EQ(Size(bounds), TPair(place.width, place.height));
    }
  }
  // Every label is as wide as its caption in its font, measured apart from it, so none is cut.
  for (std::size_t i = 0; i < window->ComponentCount(); ++i) {
    const auto* label = dynamic_cast<const TLabel*>(&window->Component(i));
    if (label == nullptr) continue;
    SCOPED_TRACE(label->Name());
    const bool bold = std::ranges::count(expected.bold, label->Name()) > 0;
    const int height = expected.window == std::string("Form2") && label->Name() == "Label1" ? 19 : 11;
    const RECT bounds = BoundsInParent(HandleOf(*label));
    EXPECT_GE(bounds.right - bounds.left, TahomaExtent(label->Text(), height, bold).cx);
  }
  std::vector<std::string> tabStops;
  for (std::size_t i = 0; i < window->ComponentCount(); ++i)
    if (const auto* control = dynamic_cast<const TControl*>(&window->Component(i)))
      if ((GetWindowLongPtrW(HandleOf(*control), GWL_STYLE) & WS_TABSTOP) != 0) tabStops.push_back(control->Name());
  EXPECT_EQ(tabStops, std::vector<std::string>{"Button1"});
  program.ShowAndWait(*window);
  EXPECT_EQ(GetFocus(), program.Handle(expected.window, "Button1"));
}

// The close box first, after the window was moved; then OK on the next showing, which keeps the
// place the window was hidden at even though the main window moved.
TEST_P(Win32SecondaryWindowTest, OkAndTheCloseBoxOnlyHideTheWindowWhichComesBackWhereItWas) {
  const HWND handle = window->Handle();
  for (const bool byCloseBox : {true, false}) {
    SCOPED_TRACE(byCloseBox ? "close box" : "OK");
    program.ShowAndWait(*window);
    if (byCloseBox) {
      SetWindowPos(handle, nullptr, 37, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      PumpUntil([&] { return window->Left() == 37; });
      PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      PumpUntil([&] { return !IsWindowVisible(handle); });
      SetWindowPos(program.main->Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      RECT frame;
      GetWindowRect(handle, &frame);
      EXPECT_EQ(Corner(frame), TPair(37, 45));
      SendMessageW(program.Handle(GetParam().window, "Button1"), BM_CLICK, 0, 0);
      PumpUntil([&] { return !IsWindowVisible(handle); });
    }
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_FALSE(program.application.Terminated());
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, Win32SecondaryWindowTest, testing::ValuesIn(kSecondaryWindows), TCaseName());

// left = main's left + (main's width - own width) / 2 over the frames, rounded toward zero.
TEST(Win32SecondaryWindows, AFirstShowingIsCentredOverTheMainWindowsFrame) {
  TTestProgram program;
  program.BuildSecondaryWindows();
  for (const char* name : {"Form2", "Form3", "Form4"}) {
    TWin32Form& window = program.Window(name);
    program.ShowAndWait(window);
    RECT main;
    RECT own;
    GetWindowRect(program.main->Handle(), &main);
    GetWindowRect(window.Handle(), &own);
    const auto centred = [](LONG start, LONG outer, LONG inner) { return std::max(0L, start + (outer - inner) / 2); };
    EXPECT_EQ(own.left, centred(main.left, main.right - main.left, own.right - own.left)) << name;
    EXPECT_EQ(own.top, centred(main.top, main.bottom - main.top, own.bottom - own.top)) << name;
  }
}

class Win32LanguageSwitchTest : public testing::TestWithParam<TLanguageCase> {};

// German to English first, so that the German row switches back.
TEST_P(Win32LanguageSwitchTest, ReachesBothHelpWindowsShownOrHiddenButNeitherTokensNorTheAboutWindow) {
  TTestProgram program;
  program.BuildSecondaryWindows();
  program.ShowAndWait(program.Window("Form3"));
  program.SwitchLanguage("English");
  program.SwitchLanguage(GetParam().name);
  EXPECT_EQ(program.Control("Form3", "GroupBox2").Text(), GetParam().folderExamples);
  EXPECT_EQ(program.Control("Form4", "Label11").Text(), GetParam().fileExample) << "Form4 is hidden";
  for (const TFixedText& fixed : kFixedTexts)
    EXPECT_EQ(program.Control(fixed.window, fixed.control).Text(), fixed.text) << fixed.window << "." << fixed.control;
  EXPECT_EQ(NarrowText(WindowText(program.Window("Form2").Handle())), "Kalvero 1.3");
}

INSTANTIATE_TEST_SUITE_P(Languages, Win32LanguageSwitchTest, testing::ValuesIn(kSecondaryWindowLanguages),
                         TCaseName());

TEST(Win32SecondaryWindows, TheLinkLabelFollowsThePointerAndOpensTheMakersWebPage) {
  TTestProgram program;
  program.BuildSecondaryWindows();
  TWin32Form& about = program.Window("Form2");
  program.ShowAndWait(about);
  TControl& link = program.Control("Form2", "Label2");
  const HWND label = HandleOf(link);
  ASSERT_EQ(link.Font().Color(), clWindowText) << "designed in the window-text colour";

  PostMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(6, 4));
  PumpUntil([&] { return link.Cursor() == crHandPoint; });
  EXPECT_TRUE(link.Font().Style().Contains(TFontStyle::fsUnderline));
  EXPECT_EQ(link.Font().Color(), RgbColor(0, 0, 255));
  EXPECT_EQ(link.Cursor(), crHandPoint);
  SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

  PostMessageW(label, WM_MOUSELEAVE, 0, 0);
  PumpUntil([&] { return !link.Font().Style().Contains(TFontStyle::fsUnderline); });
  EXPECT_FALSE(link.Font().Style().Contains(TFontStyle::fsUnderline));
  EXPECT_EQ(link.Font().Color(), clBlack);

  PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 4));
  PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(6, 4));
  PumpUntil([&] { return !program.shell.opened.empty(); });
  EXPECT_EQ(program.shell.opened, std::vector<std::string>{"https://www.example.org/kalvero"});
  EXPECT_TRUE(about.Visible());
  EXPECT_TRUE(program.dialogs.boxes.empty());
}

}  // namespace
}  // namespace kalvero

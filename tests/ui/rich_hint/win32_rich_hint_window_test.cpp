// The rich hint window over Win32 under Wine: a window with a pattern field and the rich hint of the
// main window; the pointer resting on the field shows the hint, sized by the renderer's measure,
// placed on the monitor, shaped by the hint style, painted where the layout put the lines, and
// hidden by what hides the application's hints.

#include "ui/rich_hint/win32/win32_rich_hint_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "components/win32/win32_application.h"
#include "components/win32/win32_control.h"
#include "components/win32/win32_form.h"
#include "components/win32/win32_registry.h"
#include "components/window_builder.h"
#include "platform/win32/message_pump.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_dialogs.h"
#include "tests/ui/rich_hint/script_hints.h"
#include "tests/ui/rich_hint/win32_memory_bitmap.h"
#include "ui/rich_hint/win32/win32_hint_canvas.h"
#include "ui/ui_registry.h"

namespace kalvero {
namespace {

const TWindowDescription kWindow = {
    "TForm",
    "Form1",
    {{"Caption", "Hints"}, {"ClientWidth", "400"}, {"ClientHeight", "200"}},
    {ControlAt("TEdit", "Edit1", "Form1", {20, 20, 250, 21}, {{"ShowHint", "True"}}),
     ControlAt("TEdit", "Edit2", "Form1", {20, 60, 250, 21}),
     {"TRichHint",
      "RichHint1",
      "",
      {{"HintFont.Name", "Tahoma"}, {"HintFont.Height", "-11"}, {"HintFont.Color", "clInfoText"}}}}};

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchProgramMessage(message);
}

class Win32RichHintWindowTest : public testing::Test {
 protected:
  Win32RichHintWindowTest() {
    RegisterWin32Controls(classes);
    RegisterUiControls(classes);
    window = &BuildWindow(application, kWindow, classes);
    hint = dynamic_cast<TRichHint*>(window->FindComponent("RichHint1"));
    field = HandleOf(*dynamic_cast<TControl*>(window->FindComponent("Edit1")));
    window->Show();
    Pump();
  }

  // The pointer resting on the field at 10, 5 with `text` as the hint; `adjust` changes the hint's
  // information after the rich hint did.
  void RestPointer(const std::string& text, const std::function<void(THintInfo&)>& adjust = {}) {
    hint->OnShowHint = [text, adjust](std::string& shown, bool&, THintInfo& info) {
      shown = text;
      if (adjust) adjust(info);
    };
    SendMessageW(field, WM_MOUSEHOVER, 0, MAKELPARAM(10, 5));
    Pump();
  }
  TWin32RichHintWindow* HintWindow() const {
    return dynamic_cast<TWin32RichHintWindow*>(application.HintWindow());
  }
  RECT Bounds() const {
    RECT bounds{};
    GetWindowRect(HintWindow()->Handle(), &bounds);
    return bounds;
  }
  POINT Pointer() const {
    POINT pointer{10, 5};
    ClientToScreen(field, &pointer);
    return pointer;
  }

  TRecordingDialogs dialogs;
  TWin32Application application{dialogs};
  TClassRegistry classes;
  TForm* window = nullptr;
  TRichHint* hint = nullptr;
  HWND field = nullptr;
};

class Win32ScriptHintTest : public Win32RichHintWindowTest, public testing::WithParamInterface<TScriptHint> {};

// The window is the renderer's measure plus 16 by 4 pixels, set with the screen's fonts in Arial
// 10 points a line, below the pointer.
TEST_P(Win32ScriptHintTest, TheWindowIsTheMeasuredTextPlusItsFrame) {
  const std::string text = ScriptHint(GetParam().language, GetParam().key);
  ASSERT_FALSE(text.empty());
  RestPointer(text);
  ASSERT_NE(HintWindow(), nullptr);
  ASSERT_TRUE(HintWindow()->IsShowing());
  const HDC screen = GetDC(nullptr);
  THintSize measured, line;
  {
    TWin32HintCanvas canvas(screen);
    measured = RenderHintHtml(canvas, text, {0, 0, GetSystemMetrics(SM_CXSCREEN) - 16, 1}, HintOptionsOf(*hint));
    line = canvas.TextExtent({"ARIAL", 10}, "gh");
  }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(measured.height, GetParam().lines * line.height);
  const RECT bounds = Bounds();
  EXPECT_EQ(bounds.right - bounds.left, measured.width + 16);
  EXPECT_EQ(bounds.bottom - bounds.top, measured.height + 4);
  EXPECT_EQ(bounds.left, Pointer().x);
  EXPECT_EQ(bounds.top, Pointer().y + TWin32Application::kPointerHeight);
}

INSTANTIATE_TEST_SUITE_P(Scripts, Win32ScriptHintTest, testing::ValuesIn(kScriptHintTexts), TCaseName());

TEST_F(Win32RichHintWindowTest, TheWindowIsATopMostToolThatTakesNeitherActivationNorThePointer) {
  const HWND active = GetActiveWindow();
  RestPointer("<b>DD</b> Tage");
  const HWND shown = HintWindow()->Handle();
  const LONG_PTR extended = GetWindowLongPtrW(shown, GWL_EXSTYLE);
  for (const LONG_PTR style : {WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE, WS_EX_TRANSPARENT})
    EXPECT_EQ(extended & style, style) << std::hex << style;
  EXPECT_EQ(GetWindowLongPtrW(shown, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME), WS_POPUP);
  EXPECT_EQ(SendMessageW(shown, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(SendMessageW(shown, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
  EXPECT_EQ(GetClassLongPtrW(shown, GCL_STYLE) & CS_DROPSHADOW, static_cast<ULONG_PTR>(CS_DROPSHADOW));
  EXPECT_EQ(GetActiveWindow(), active);
}

// Held 2 pixels inside the nearest monitor's right and bottom edges; rounded by a region.
TEST_F(Win32RichHintWindowTest, TheWindowStaysOnItsMonitorAndTakesTheShapeOfItsStyle) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(Pointer(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT edge = monitor.rcMonitor;
  struct TCase {
    const char* name;
    THintStyle style;
    POINT at;  // none: below the pointer
    bool held;
  };
  const TCase cases[] = {{"rectangle below the pointer", THintStyle::hsRectangle, {}, false},
                         {"rounded near the corner", THintStyle::hsRounded, {edge.right - 20, edge.bottom - 20}, true},
                         {"rectangle past the corner", THintStyle::hsRectangle,
                          {edge.right + 50, edge.bottom + 50}, true}};
  for (const TCase& test : cases) {
    hint->SetHintStyle(test.style);
    RestPointer("<b>YYYY</b>    Jahre<br>zweite Zeile", [&test](THintInfo& info) {
      if (test.held) info.hintPos = {test.at.x, test.at.y};
    });
    ASSERT_TRUE(HintWindow()->IsShowing()) << test.name;
    const RECT bounds = Bounds();
    if (test.held) {
      EXPECT_EQ(bounds.right, edge.right - 2) << test.name;
      EXPECT_EQ(bounds.bottom, edge.bottom - 2) << test.name;
    } else {
      EXPECT_EQ(bounds.left, Pointer().x) << test.name;
    }
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(HintWindow()->Handle(), region);
    if (test.style == THintStyle::hsRounded) {
      EXPECT_EQ(kind, COMPLEXREGION) << test.name;
      EXPECT_FALSE(PtInRegion(region, 0, 0)) << test.name;
      EXPECT_TRUE(PtInRegion(region, (bounds.right - bounds.left) / 2, 0)) << test.name;
      EXPECT_TRUE(PtInRegion(region, 8, (bounds.bottom - bounds.top) / 2)) << test.name;
    } else {
      EXPECT_EQ(kind, ERROR) << test.name << ": no region, the whole window";
    }
    DeleteObject(region);
  }
}

TEST_F(Win32RichHintWindowTest, TheHintHidesWithTheApplicationsHints) {
  struct TCase {
    const char* what;
    HWND window;
    UINT message;
    WPARAM wParam;
  };
  const TCase hiders[] = {{"a key", field, WM_KEYDOWN, 'A'},
                          {"the pointer leaving", field, WM_MOUSELEAVE, 0},
                          {"a click", field, WM_LBUTTONDOWN, MK_LBUTTON},
                          {"the window deactivated", dynamic_cast<TWin32Form&>(*window).Handle(), WM_ACTIVATE,
                           WA_INACTIVE}};
  for (const TCase& hider : hiders) {
    RestPointer("<b>DD</b> Tage");
    ASSERT_TRUE(HintWindow()->IsShowing()) << hider.what;
    SendMessageW(hider.window, hider.message, hider.wParam, 0);
    EXPECT_FALSE(HintWindow()->IsShowing()) << hider.what;
  }
  ReleaseCapture();
  RestPointer("");
  EXPECT_FALSE(HintWindow()->IsShowing()) << "an empty text shows no hint";
}

// Printed into a memory bitmap on white: ink in the rows of the first and third line, none in the
// empty second (as high as "gh" in the base font); the last line is drawn even when a blank ends
// the widest line, as the window's text rectangle is narrower than the room the measure had.
TEST_F(Win32RichHintWindowTest, PaintDrawsTheLinesWhereTheLayoutPutThem) {
  RestPointer("<font size=\"40\">A Wide </font><br><br><font face=\"Arial\" color=\"clRed\">last line</font>",
              [](THintInfo& info) { info.hintColor = clWhite; });
  const RECT bounds = Bounds();
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  TMemoryBitmap printed(width, height);
  SendMessageW(HintWindow()->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
  const TRect text = HintWindow()->TextRect();
  const HDC screen = GetDC(nullptr);
  int big = 0, small = 0;
  {
    TWin32HintCanvas canvas(screen);
    big = canvas.TextExtent({"Tahoma", 40}, "gh").height;
    small = canvas.TextExtent({"Tahoma", 8}, "gh").height;
  }
  ReleaseDC(nullptr, screen);
  const auto ink = [&](int top, int bottom, bool red) {
    int count = 0;
    for (int y = std::max(top, 1); y < std::min(bottom, height - 1); ++y)
      for (int x = 1; x < width - 1; ++x) {
        const std::uint32_t pixel = printed.At(x, y);
        count += red ? (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) < 100 : pixel != 0xFFFFFFu;
      }
    return count;
  };
  EXPECT_GT(ink(text.top, text.top + big, false), 20) << "the first line";
  EXPECT_EQ(ink(text.top + big, text.top + big + small, false), 0) << "the empty line";
  EXPECT_GT(ink(text.top + big + small, height, true), 10) << "the last line, in red";
}

}  // namespace
}  // namespace kalvero

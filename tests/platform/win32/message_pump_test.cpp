// The passes of the message loop that a long run makes, and the busy cursor over the program's
// windows, on windows of this thread.

#include "platform/win32/message_pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/busy_cursor.h"
#include "platform/win32/win32_dialogs.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

// What the test windows were asked to do; each window class records into it.
struct TReceived {
  std::vector<UINT> main;
  std::vector<UINT> control;
  bool Main(UINT message) const { return std::find(main.begin(), main.end(), message) != main.end(); }
  bool Control(UINT message) const { return std::find(control.begin(), control.end(), message) != control.end(); }
};

TReceived received;

bool IsRecorded(UINT message) {
  return message == WM_CLOSE || message == WM_SYSCOMMAND || message == WM_PAINT || message == WM_LBUTTONDOWN ||
         message == WM_KEYDOWN || message == WM_CHAR || message == WM_APP;
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsRecorded(message))
    received.main.push_back(message == WM_SYSCOMMAND ? static_cast<UINT>(wParam & 0xFFF0) : message);
  switch (message) {
    case WM_CLOSE: return 0;  // recorded, the window stays
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, BusyCursorShown() ? IDC_WAIT : IDC_CROSS)); return TRUE;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsRecorded(message)) received.control.push_back(message);
  if (message == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, BusyCursorShown() ? IDC_WAIT : IDC_CROSS));
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of this thread with one control filling its client area, above the windows of
// other tests so that it is the one under the pointer.
class TTestWindow {
 public:
  TTestWindow() {
    Register(L"KalveroPumpMain", MainProcedure);
    Register(L"KalveroPumpControl", ControlProcedure);
    main_ = CreateWindowExW(WS_EX_TOPMOST, L"KalveroPumpMain", L"Pumpe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400,
                            300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    control_ = CreateWindowExW(0, L"KalveroPumpControl", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 400, 300, main_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(main_);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    received = {};
  }
  ~TTestWindow() { DestroyWindow(main_); }
  HWND Main() const { return main_; }
  HWND Control() const { return control_; }

 private:
  static void Register(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&windowClass);  // fails harmlessly once registered
  }
  HWND main_;
  HWND control_;
};

LPARAM KeyData(UINT key, bool altDown) {
  return static_cast<LPARAM>(1 | (MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16) | (altDown ? KF_ALTDOWN << 16 : 0));
}

// ---- What a pass handles with and without user input.

struct TPumpCase {
  std::string name;
  bool userInput;
  bool controlGetsInput;
};

const TPumpCase kPumpCases[] = {
    {"WithUserInput", true, true},
    {"WithoutUserInput", false, false},
};

class MessagePumpTest : public testing::TestWithParam<TPumpCase> {};

TEST_P(MessagePumpTest, HandlesCloseRequestsAndPaintsAndDropsInputOnlyWithoutUserInput) {
  const TPumpCase& row = GetParam();
  TTestWindow window;
  PostMessageW(window.Control(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(window.Control(), WM_KEYDOWN, 'A', KeyData('A', false));
  PostMessageW(window.Control(), WM_CHAR, 'a', KeyData('A', false));
  PostMessageW(window.Main(), WM_CLOSE, 0, 0);
  PostMessageW(window.Main(), WM_SYSKEYDOWN, VK_F4, KeyData(VK_F4, true));
  PostMessageW(window.Main(), WM_APP, 0, 0);
  InvalidateRect(window.Main(), nullptr, TRUE);

  EXPECT_TRUE(PumpWaitingMessages(row.userInput));
  EXPECT_EQ(received.Control(WM_LBUTTONDOWN), row.controlGetsInput);
  EXPECT_EQ(received.Control(WM_KEYDOWN), row.controlGetsInput);
  EXPECT_EQ(received.Control(WM_CHAR), row.controlGetsInput);
  EXPECT_TRUE(received.Main(WM_CLOSE));
  EXPECT_TRUE(received.Main(SC_CLOSE)) << "Alt+F4 asks to close";
  EXPECT_TRUE(received.Main(WM_APP));
  EXPECT_TRUE(received.Main(WM_PAINT));
  MSG left;  // the pointer's own moves may come at any time
  EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE | PM_QS_PAINT)) << "message " << left.message << " left waiting";
}

INSTANTIATE_TEST_SUITE_P(Passes, MessagePumpTest, testing::ValuesIn(kPumpCases), TCaseName());

TEST(MessagePumpQuitTest, StopsAtTheQuitRequestAndLeavesItForTheLoop) {
  TTestWindow window;
  PostMessageW(window.Main(), WM_APP, 0, 0);
  PostQuitMessage(7);
  EXPECT_FALSE(PumpWaitingMessages(false));
  EXPECT_TRUE(received.Main(WM_APP));
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  EXPECT_TRUE(PumpWaitingMessages(false)) << "the quit request is taken once";
}

// ---- The busy cursor over a window of the program under the pointer.

TEST(BusyCursorTest, ShowsTheWaitCursorAndGivesTheWindowsTheirOwnBack) {
  TTestWindow window;
  RECT frame{};
  GetWindowRect(window.Control(), &frame);
  SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
  PumpWaitingMessages(true);

  ShowBusyCursor(true);
  EXPECT_TRUE(BusyCursorShown());
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  PumpWaitingMessages(true);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT)) << "the window asks for the wait cursor too";

  ShowBusyCursor(false);
  EXPECT_FALSE(BusyCursorShown());
  PumpWaitingMessages(true);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS)) << "the window under the pointer sets its own again";
}

TEST(BusyCursorTest, TheDialogsGiveTheCursorBackWhenTheyGo) {
  {
    TWin32Dialogs dialogs;
    dialogs.SetBusyCursor(true);
    EXPECT_TRUE(BusyCursorShown());
  }
  EXPECT_FALSE(BusyCursorShown());
}

}  // namespace
}  // namespace kalvero

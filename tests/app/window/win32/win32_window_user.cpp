// The user of the Win32 windows: the messages that the mouse and the keyboard bring, posted to the
// windows and handled by the program's own message handling, as its loop would.

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "components/win32/win32_application.h"
#include "components/win32/win32_control.h"
#include "components/win32/win32_form.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/wide_text.h"
#include "tests/app/window/window_user.h"
#include "tests/support/win32_messages.h"

namespace kalvero {
namespace {

void HandleWaitingMessages() { PumpWaitingMessages(true); }

HWND WindowOf(const TControl& control) {
  const HWND window = HandleOf(control);
  if (window == nullptr) throw std::invalid_argument(control.Name() + " has no window");
  return window;
}

class TWin32WindowUser final : public TWindowUser {
 public:
  void Click(TControl& control) override {
    const HWND window = WindowOf(control);
    RECT client;
    GetClientRect(window, &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageW(window, WM_MOUSEMOVE, 0, middle);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(window, WM_LBUTTONUP, 0, middle);
    HandleWaitingMessages();
  }
  void SelectAll(TControl& edit) override {
    const HWND window = WindowOf(edit);
    SetFocus(window);
    SendMessageW(window, EM_SETSEL, 0, -1);
    HandleWaitingMessages();
  }
  // Each character as TranslateMessage makes it from its key, one at a time, so that every one
  // is seen by the control as typed.
  void Type(std::string_view text) override {
    for (const wchar_t unit : WideText(std::string(text))) {
      PostMessageW(GetFocus(), WM_CHAR, unit, 1);
      HandleWaitingMessages();
    }
  }
  void PressTab() override {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001));
    HandleWaitingMessages();
  }
  TControl* FocusedControl() const override {
    for (HWND window = GetFocus(); window != nullptr; window = GetParent(window))
      if (TControl* control = ControlOf(window)) return control;
    return nullptr;
  }
  void CloseByCloseBox(TForm& window) override {
    PostMessageW(WindowOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
    HandleWaitingMessages();
  }

  std::string Title(const TForm& window) const override { return NarrowText(WindowText(WindowOf(window))); }
  TPoint ClientSize(const TForm& window) const override {
    RECT client;
    GetClientRect(WindowOf(window), &client);
    return {client.right, client.bottom};
  }
  TRect Bounds(const TControl& control) const override {
    const HWND window = WindowOf(control);
    RECT bounds;
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
  }
  std::pair<int, int> ProgressShown(const TControl& bar) const override {
    const HWND window = WindowOf(bar);
    return {static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0)),
            static_cast<int>(SendMessageW(window, PBM_GETRANGE, FALSE, 0))};
  }
};

}  // namespace

std::unique_ptr<TApplication> NewTestApplication(TDialogs& dialogs, TShell& shell) {
  return std::make_unique<TWin32Application>(dialogs, &shell);
}

// Under a window manager the window becomes the active one a moment after it was shown, when the
// display says so.
void ShowAndWait(TForm& window) {
  window.Show();
  UpdateWindow(WindowOf(window));
  const ULONGLONG end = GetTickCount64() + 5000;
  for (HandleWaitingMessages(); GetActiveWindow() != WindowOf(window) && GetTickCount64() < end; HandleWaitingMessages())
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  if (GetActiveWindow() != WindowOf(window)) throw std::runtime_error(window.Name() + " did not become active");
}

std::unique_ptr<TWindowUser> NewWindowUser() { return std::make_unique<TWin32WindowUser>(); }

}  // namespace kalvero

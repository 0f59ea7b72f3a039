#include "components/win32/win32_application.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/message_pump.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

constexpr const wchar_t* kTimerClass = L"KalveroHintTimer";
constexpr UINT_PTR kHintTimer = 1;

class TToolTipHintWindow final : public THintWindow {
 public:
  TToolTipHintWindow()
      : tip_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr)) {
    TOOLINFOW tool = Tool();
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  TToolTipHintWindow(const TToolTipHintWindow&) = delete;
  TToolTipHintWindow& operator=(const TToolTipHintWindow&) = delete;
  ~TToolTipHintWindow() override { DestroyWindow(tip_); }

  void ActivateHint(const TRect& rect, const std::string& text, const THintInfo&) override {
    text_ = WideText(text);
    TOOLINFOW tool = Tool();
    tool.lpszText = text_.data();
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, rect.Width() > 0 ? rect.Width() : -1);
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(rect.left, rect.top));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  }
  void HideHint() override {
    TOOLINFOW tool = Tool();
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  }
  bool IsShowing() const override { return IsWindowVisible(tip_) != FALSE; }

 private:
  TOOLINFOW Tool() {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.lpszText = text_.data();
    return tool;
  }

  HWND tip_;
  std::wstring text_ = std::wstring(1, L'\0');
};

HWND NewTimerWindow(TWin32Application& application, WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTimerClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  static_cast<void>(registered);
  const HWND window = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&application));
  return window;
}

int MonitorWidthAt(POINT pointer) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcMonitor.right - monitor.rcMonitor.left;
}

}  // namespace

std::unique_ptr<THintWindow> NewToolTipHintWindow() { return std::make_unique<TToolTipHintWindow>(); }

TWin32Application::TWin32Application(TDialogs& dialogs, TShell* shell)
    : TApplication(&dialogs, shell),
      comInitialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))),
      timerWindow_(NewTimerWindow(*this, TimerProcedure)) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SetHintWindowClass(NewToolTipHintWindow);
}

TWin32Application::~TWin32Application() {
  // The windows go while the application, their hint host, still is one.
  DestroyWindows();
  DestroyWindow(timerWindow_);
  if (comInitialised_) CoUninitialize();
}

int TWin32Application::Run() {
  MSG message;
  while (!Terminated()) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      DispatchProgramMessage(message);
    }
    Idle();
    if (Terminated()) break;
    WaitMessage();
  }
  // The quit message that Terminate posted ends no other loop.
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return 0;
}

void TWin32Application::Terminate() {
  TApplication::Terminate();
  PostQuitMessage(0);
}

void TWin32Application::PointerRested(TControl& control, POINT pointer) {
  if (!control.ShowHint()) return;
  THintInfo info;
  info.hintControl = &control;
  info.cursorPos = {pointer.x, pointer.y};
  info.hintPos = {pointer.x, pointer.y + kPointerHeight};
  info.hintMaxWidth = MonitorWidthAt(pointer);
  info.hintColor = clInfoBk;
  if (hintControl_ != nullptr) RemoveFreeNotification(*hintControl_);
  hintControl_ = &control;
  FreeNotification(control);
  if (ShowHint(control.Hint(), info)) SetTimer(timerWindow_, kHintTimer, kHintHidePause, nullptr);
}

void TWin32Application::PointerLeft(TControl& control) {
  if (&control == hintControl_) HideShownHint();
}

void TWin32Application::InputArrived() {
  if (hintControl_ != nullptr) HideShownHint();
}

void TWin32Application::Notification(TComponent& destroyed) {
  if (&destroyed == hintControl_) HideShownHint();
  TApplication::Notification(destroyed);
}

void TWin32Application::HideShownHint() {
  KillTimer(timerWindow_, kHintTimer);
  if (hintControl_ != nullptr) RemoveFreeNotification(*hintControl_);
  hintControl_ = nullptr;
  if (HintWindow() != nullptr && HintWindow()->IsShowing()) HideHint();
}

LRESULT CALLBACK TWin32Application::TimerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != kHintTimer) return DefWindowProcW(window, message, wParam, lParam);
  auto* application = reinterpret_cast<TWin32Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (application != nullptr) application->HideShownHint();
  return 0;
}

}  // namespace kalvero

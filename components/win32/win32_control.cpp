#include "components/win32/win32_control.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>
#include <string>
#include <system_error>

#include "components/application.h"
#include "platform/win32/busy_cursor.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {
namespace {

constexpr const wchar_t* kWindowProperty = L"KalveroWindow";
constexpr UINT_PTR kSubclassId = 1;

BOOL CALLBACK TakeFirstIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR icon) {
  *reinterpret_cast<HICON*>(icon) = LoadIconW(module, name);
  return FALSE;
}

// The program's icon, the first in its resources as the desktop shows it; the system's for a
// program without one.
HICON ProgramIcon() {
  HICON icon = nullptr;
  EnumResourceNamesW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(14), TakeFirstIcon,  // RT_GROUP_ICON
                     reinterpret_cast<LONG_PTR>(&icon));
  return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

void RegisterOwnClasses() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TWin32Window::kControlClass;
    RegisterClassExW(&windowClass);
    windowClass.lpszClassName = TWin32Window::kFormClass;
    windowClass.hIcon = ProgramIcon();
    RegisterClassExW(&windowClass);
    return true;
  }();
  static_cast<void>(registered);
}

// Edit boxes send their notifications to the window they were created in, wherever they were put
// later: the parking window hands them on to the window the control is in now.
LRESULT CALLBACK ParkingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const HWND parent = lParam != 0 ? GetParent(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (parent != nullptr && parent != window) return SendMessageW(parent, message, wParam, lParam);
      break;
    }
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The hidden window that holds the windows of controls without a Parent.
HWND ParkingWindow() {
  static const HWND parking = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ParkingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KalveroParking";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  return parking;
}

TWin32Window* WindowOf(HWND window) {
  return window != nullptr ? static_cast<TWin32Window*>(GetPropW(window, kWindowProperty)) : nullptr;
}

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
  return reinterpret_cast<TWin32Window*>(data)->Dispatch(window, message, wParam, lParam);
}

bool IsOwnClass(const wchar_t* className) {
  return std::wcscmp(className, TWin32Window::kControlClass) == 0 || std::wcscmp(className, TWin32Window::kFormClass) == 0;
}

TWin32HintHost* HintHostOf(const TControl& control) { return dynamic_cast<TWin32HintHost*>(ApplicationOf(control)); }

}  // namespace

TWin32Window::TWin32Window(TControl& control, const wchar_t* className, DWORD style, DWORD exStyle)
    : control_(control), ownClass_(IsOwnClass(className)) {
  RegisterOwnClasses();
  const HWND parent = (style & WS_CHILD) != 0 ? ParkingWindow() : nullptr;
  handle_ = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (handle_ == nullptr) {
    // Some failures (no desktop to show windows on) leave no error code.
    const std::error_code error = LastWin32Error();
    throw EComponentError(std::string("A window could not be created") + (error ? ": " + error.message() : ""));
  }
  SetPropW(handle_, kWindowProperty, this);
  SetWindowSubclass(handle_, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TWin32Window::~TWin32Window() { DestroyHandle(); }

void TWin32Window::DestroyHandle() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

LRESULT TWin32Window::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, SubclassProcedure, kSubclassId);
    RemovePropW(window, kWindowProperty);
    handle_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result)) return result;
    return CallDefault(message, wParam, lParam);
  } catch (...) {
    HandleEventException(control_);
    return 0;
  }
}

LRESULT TWin32Window::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefSubclassProc(handle_, message, wParam, lParam);
}

bool TWin32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Track(message, lParam);
  switch (message) {
    case WM_PAINT:
      if (!ownClass_ && !control_.DoubleBuffered()) return false;
      PaintMessage();
      return true;
    case WM_PRINTCLIENT:
      if (!ownClass_) return false;
      Paint(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_ERASEBKGND:
      // Our own windows paint everything in Paint; a double-buffered one erases off screen.
      if (!ownClass_ && !control_.DoubleBuffered()) return false;
      result = 1;
      return true;
    case WM_SETCURSOR:
      if (!CursorMessage(lParam)) return false;
      result = TRUE;
      return true;
    case WM_SETFOCUS:
      result = CallDefault(message, wParam, lParam);
      if (control_.CanFocus())
        if (TForm* form = control_.OwnerForm()) form->FocusMovedTo(control_);
      return true;
    case WM_COMMAND:
      if (TWin32Window* child = WindowOf(reinterpret_cast<HWND>(lParam))) {
        child->Notified(HIWORD(wParam));
        return true;
      }
      return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (TWin32Window* child = WindowOf(reinterpret_cast<HWND>(lParam))) {
        result = reinterpret_cast<LRESULT>(child->ControlColors(reinterpret_cast<HDC>(wParam)));
        return result != 0;
      }
      return false;
    default: return false;
  }
}

void TWin32Window::Track(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!leaveTracked_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | (control_.ShowHint() ? TME_HOVER : 0U), handle_, HOVER_DEFAULT};
        TrackMouseEvent(&track);
        leaveTracked_ = true;
        MouseEntered();
      }
      MouseMoved(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      break;
    }
    case WM_MOUSEHOVER:
      if (TWin32HintHost* host = HintHostOf(control_)) {
        POINT pointer{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(handle_, &pointer);
        host->PointerRested(control_, pointer);
      }
      break;
    case WM_MOUSELEAVE:
      leaveTracked_ = false;
      if (TWin32HintHost* host = HintHostOf(control_)) host->PointerLeft(control_);
      MouseLeft();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (TWin32HintHost* host = HintHostOf(control_)) host->InputArrived();
      break;
    default: break;
  }
}

bool TWin32Window::EndsClick(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      buttonDown_ = true;
      SetCapture(handle_);
      return false;
    case WM_LBUTTONUP: {
      if (!buttonDown_) return false;
      buttonDown_ = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(handle_, &client);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      return PtInRect(&client, at) != FALSE;
    }
    case WM_CAPTURECHANGED:
      buttonDown_ = false;
      return false;
    default: return false;
  }
}

bool TWin32Window::CursorMessage(LPARAM lParam) const {
  if (BusyCursorShown()) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
  }
  if (LOWORD(lParam) != HTCLIENT || control_.Cursor() == crDefault) return false;
  SetCursor(CursorOf(control_.Cursor()));
  return true;
}

void TWin32Window::PaintMessage() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(handle_, &paint);
  if (!control_.DoubleBuffered()) {
    Paint(dc);
    EndPaint(handle_, &paint);
    return;
  }
  // The whole client area is painted off screen and shown in one copy: nothing flickers.
  RECT client;
  GetClientRect(handle_, &client);
  PaintOffScreen(dc, client.right, client.bottom, [this](HDC memory) { Paint(memory); });
  EndPaint(handle_, &paint);
}

void TWin32Window::Paint(HDC dc) {
  if (!ownClass_) {
    CallDefault(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    return;
  }
  if (Transparent()) {
    PaintParentBackground(dc);
    return;
  }
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(dc, &client, brush_.Of(ToColorRef(control_.Color())));
}

void TWin32Window::PaintParentBackground(HDC dc) const { DrawThemeParentBackground(handle_, dc, nullptr); }

HBRUSH TWin32Window::ControlColors(HDC dc) {
  const COLORREF background = ToColorRef(BackgroundColorOf(control_));
  SetTextColor(dc, ToColorRef(control_.Font().Color()));
  SetBkColor(dc, background);
  SetBkMode(dc, TRANSPARENT);
  return brush_.Of(background);
}

void TWin32Window::ApplyWindowFont() {
  // The window lets go of the old font before it is deleted.
  auto font = std::make_unique<TWin32Font>(control_.Font());
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), TRUE);
  font_ = std::move(font);
}

void TWin32Window::ApplyWindowText(const std::string& text) const { SetWindowTextW(handle_, WideText(text).c_str()); }

void TWin32Window::ApplyParent() {
  SetParent(handle_, ChildAreaOf(control_.Parent()));
  ApplyGeometry();
  ApplyVisible();
}

void TWin32Window::ApplyGeometry() const {
  MoveWindow(handle_, control_.Left(), control_.Top(), control_.Width(), control_.Height(), TRUE);
}

void TWin32Window::ApplyVisible() const {
  // A parked window stays hidden: it would show nowhere.
  ShowWindow(handle_, control_.Visible() && control_.Parent() != nullptr ? SW_SHOWNA : SW_HIDE);
}

void TWin32Window::RepaintNow() const {
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND HandleOf(const TControl& control) {
  const auto* window = dynamic_cast<const TWin32Window*>(&control);
  return window != nullptr ? window->Handle() : nullptr;
}

TControl* ControlOf(HWND window) {
  TWin32Window* found = WindowOf(window);
  return found != nullptr ? &found->Control() : nullptr;
}

HWND ChildAreaOf(const TControl* parent) {
  const HWND window = parent != nullptr ? HandleOf(*parent) : nullptr;
  return window != nullptr ? window : ParkingWindow();
}

TColor BackgroundColorOf(const TControl& control) {
  for (const TControl* around = control.Parent(); around != nullptr; around = around->Parent()) {
    const auto* window = dynamic_cast<const TWin32Window*>(around);
    if (window == nullptr || !window->Transparent()) return around->Color();
  }
  return clBtnFace;
}

}  // namespace kalvero

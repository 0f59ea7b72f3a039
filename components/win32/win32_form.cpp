#include "components/win32/win32_form.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "components/application.h"

namespace kalvero {
namespace {

bool Sizeable(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

DWORD StyleOf(TFormBorderStyle style, TBorderIcons icons) {
  if (style == TFormBorderStyle::bsNone) return WS_POPUP | WS_CLIPCHILDREN;
  DWORD result = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (Sizeable(style)) result |= WS_THICKFRAME;
  if (icons.Contains(TBorderIcon::biSystemMenu)) result |= WS_SYSMENU;
  // Dialogs and tool windows have no minimise or maximise box; a window that keeps its size has no
  // maximise box.
  const bool boxes = style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
  if (boxes && icons.Contains(TBorderIcon::biMinimize)) result |= WS_MINIMIZEBOX;
  if (boxes && Sizeable(style) && icons.Contains(TBorderIcon::biMaximize)) result |= WS_MAXIMIZEBOX;
  return result;
}

DWORD ExStyleOf(TFormBorderStyle style) {
  DWORD result = WS_EX_CONTROLPARENT;
  if (style == TFormBorderStyle::bsDialog) result |= WS_EX_DLGMODALFRAME;
  if (style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin) result |= WS_EX_TOOLWINDOW;
  return result;
}

TRect ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

TRect DesktopRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

TRect FrameOf(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  return {frame.left, frame.top, frame.right, frame.bottom};
}

// Where `control` and what lies inside it come in the tab chain: the first place any of them takes.
std::size_t ChainRank(const TControl& control, const std::map<const TControl*, std::size_t>& places) {
  const auto found = places.find(&control);
  std::size_t rank = found != places.end() ? found->second : SIZE_MAX;
  for (const TControl* inner : control.Controls()) rank = std::min(rank, ChainRank(*inner, places));
  return rank;
}

// Puts the windows of the controls inside `parent` into the order of the tab chain: the dialog
// keys walk the windows from the top of that order down. Controls outside the chain keep their
// order after those in it.
void OrderWindows(const TControl& parent, const std::map<const TControl*, std::size_t>& places) {
  std::vector<const TControl*> children(parent.Controls().begin(), parent.Controls().end());
  std::stable_sort(children.begin(), children.end(), [&](const TControl* a, const TControl* b) {
    return ChainRank(*a, places) < ChainRank(*b, places);
  });
  for (const TControl* child : children) {
    const HWND window = HandleOf(*child);
    if (window != nullptr)
      SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    OrderWindows(*child, places);
  }
}

}  // namespace

TWin32Form::TWin32Form()
    : TWin32Window(*this, kFormClass, StyleOf(BorderStyle(), BorderIcons()), ExStyleOf(BorderStyle())) {
  ApplyWindowFont();
}

TWin32Form::~TWin32Form() {
  // The window and the windows in it go first, while every control is whole; then the controls.
  DestroyHandle();
  DestroyComponents();
}

void TWin32Form::SetText(std::string text) {
  TForm::SetText(std::move(text));
  ApplyWindowText(Text());
}

void TWin32Form::SetColor(TColor color) {
  TForm::SetColor(color);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Form::SetLeft(std::int32_t left) {
  TForm::SetLeft(left);
  SetWindowPos(Handle(), nullptr, left, Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Form::SetTop(std::int32_t top) {
  TForm::SetTop(top);
  SetWindowPos(Handle(), nullptr, Left(), top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Form::SetWidth(std::int32_t width) {
  TForm::SetWidth(width);
  SetWindowPos(Handle(), nullptr, 0, 0, width, Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Form::SetHeight(std::int32_t height) {
  TForm::SetHeight(height);
  SetWindowPos(Handle(), nullptr, 0, 0, Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Form::SetClientWidth(std::int32_t width) {
  TForm::SetClientWidth(width);
  ApplyClientSize();
}

void TWin32Form::SetClientHeight(std::int32_t height) {
  TForm::SetClientHeight(height);
  ApplyClientSize();
}

void TWin32Form::SetBorderStyle(TFormBorderStyle style) {
  TForm::SetBorderStyle(style);
  ApplyStyle();
}

void TWin32Form::SetBorderIcons(TBorderIcons icons) {
  TForm::SetBorderIcons(icons);
  ApplyStyle();
}

void TWin32Form::SetVisible(bool visible) {
  TForm::SetVisible(visible);
  ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

void TWin32Form::SetEnabled(bool enabled) {
  TForm::SetEnabled(enabled);
  EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

void TWin32Form::SetDoubleBuffered(bool doubleBuffered) {
  TForm::SetDoubleBuffered(doubleBuffered);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Form::BringToFront() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

void TWin32Form::Repaint() { RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void TWin32Form::RepaintAll() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TWin32Form::WatchKeyboardCues(std::function<void()> changed) { keyboardCuesChanged_ = std::move(changed); }

void TWin32Form::Loaded() {
  TForm::Loaded();
  const std::vector<TControl*> chain = TabChain();
  std::map<const TControl*, std::size_t> places;
  for (std::size_t i = 0; i < chain.size(); ++i) places.emplace(chain[i], i);
  // Tab stops at the controls of the chain; those that skip Tab still take the focus by a click.
  for (std::size_t i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(&Component(i));
    const HWND window = control != nullptr ? HandleOf(*control) : nullptr;
    if (window == nullptr) continue;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, places.contains(control) ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
  }
  OrderWindows(*this, places);
}

void TWin32Form::FontChanged() { ApplyWindowFont(); }

void TWin32Form::PlaceForFirstShowing() {
  TApplication* application = ApplicationOf(*this);
  const TForm* main = application != nullptr ? application->MainForm() : nullptr;
  const HWND mainWindow = main != nullptr && main != this && main->Shown() ? HandleOf(*main) : nullptr;
  TRect over;
  switch (Position()) {
    case TPosition::poScreenCenter: over = ScreenRect(); break;
    case TPosition::poDesktopCenter: over = DesktopRect(); break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: over = mainWindow != nullptr ? FrameOf(mainWindow) : ScreenRect(); break;
    default: return;
  }
  const TRect frame = FrameOf(Handle());
  const TPoint corner = CentredOver(over, {frame.Width(), frame.Height()});
  SetWindowPos(Handle(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TWin32Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CLOSE:
      // The close box, Alt+F4 and the system menu: the window does what Close says.
      Close();
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (auto* host = dynamic_cast<TWin32HintHost*>(ApplicationOf(*this))) host->InputArrived();
        return false;
      }
      if (HIWORD(wParam) != 0) return false;  // minimised
      RestoreFocus();
      return true;
    case WM_WINDOWPOSCHANGED:
      result = CallDefault(message, wParam, lParam);
      FrameChanged();
      return true;
    case WM_UPDATEUISTATE:
      result = CallDefault(message, wParam, lParam);
      if (keyboardCuesChanged_) keyboardCuesChanged_();
      return true;
    default: return TWin32Window::HandleMessage(message, wParam, lParam, result);
  }
}

DWORD TWin32Form::Style() const { return StyleOf(BorderStyle(), BorderIcons()); }

DWORD TWin32Form::ExStyle() const { return ExStyleOf(BorderStyle()); }

void TWin32Form::ApplyStyle() {
  const LONG_PTR kept = GetWindowLongPtrW(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(Style()) | kept);
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyle()));
  // The new frame takes room from the client area until the window is sized for it.
  applying_ = true;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  applying_ = false;
  ApplyClientSize();
}

void TWin32Form::ApplyClientSize() {
  RECT frame{0, 0, ClientWidth(), ClientHeight()};
  AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
  applying_ = true;
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  applying_ = false;
}

void TWin32Form::FrameChanged() {
  if (IsIconic(Handle())) return;
  const TRect frame = FrameOf(Handle());
  TForm::SetLeft(frame.left);
  TForm::SetTop(frame.top);
  TForm::SetWidth(frame.Width());
  TForm::SetHeight(frame.Height());
  // While the program sizes the window, its client size is the one the program gave.
  if (applying_) return;
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right != ClientWidth()) TForm::SetClientWidth(client.right);
  if (client.bottom != ClientHeight()) TForm::SetClientHeight(client.bottom);
}

void TWin32Form::RestoreFocus() {
  TControl* target = ActiveControl();
  if (target == nullptr) {
    const std::vector<TControl*> chain = TabChain();
    if (!chain.empty()) target = chain.front();
  }
  const HWND window = target != nullptr ? HandleOf(*target) : nullptr;
  ::SetFocus(window != nullptr ? window : Handle());
}

}  // namespace kalvero

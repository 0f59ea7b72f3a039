#include "ui/win32/win32_directory_edit.h"

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/api_path.h"
#include "platform/win32/busy_cursor.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

// What the browser's callback needs: the box it belongs to and the folder to select.
struct TBrowserStart {
  HWND box;
  std::wstring selection;
};

// Moves the browser beside the box, on the work area of the box's monitor, keeping its size and
// its place among the windows.
void PlaceBesideBox(HWND dialog, HWND box) {
  RECT boxRect;
  RECT dialogRect;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(box, &boxRect) || !GetWindowRect(dialog, &dialogRect) ||
      !GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const int boxHeight = boxRect.bottom - boxRect.top;
  POINT below{0, boxHeight};
  ClientToScreen(box, &below);
  const TPoint corner =
      BrowserPosition({below.x, below.y}, boxHeight,
                      {dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top},
                      {monitor.rcWork.right, monitor.rcWork.bottom});
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Acts once the browser is ready: selects the box's folder and places the browser. Answers 0 to
// every message.
int CALLBACK BrowserCallback(HWND dialog, UINT message, LPARAM /*lParam*/, LPARAM data) {
  if (message != BFFM_INITIALIZED) return 0;
  const auto* start = reinterpret_cast<const TBrowserStart*>(data);
  SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->selection.c_str()));
  PlaceBesideBox(dialog, start->box);
  return 0;
}

struct TItemListFree {
  void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};

}  // namespace

TWin32BrowseButton::TWin32BrowseButton(TWin32DirectoryEdit& box)
    : TWin32Window(box, kControlClass, WS_CHILD | WS_VISIBLE), box_(box) {
  SetParent(Handle(), box.Handle());
}

void TWin32BrowseButton::TakeGlyph() {
  glyph_ = TWin32Picture(box_.Glyph().Name());
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32BrowseButton::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  DrawFrameControl(dc, &client, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0U));
  // The glyph is centred; on a pressed button it moves one pixel down and right.
  const int shift = pressed_ ? 1 : 0;
  glyph_.Draw(dc, (client.right - glyph_.Width()) / 2 + shift, (client.bottom - glyph_.Height()) / 2 + shift);
}

bool TWin32BrowseButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const bool wasPressed = pressed_;
  switch (message) {
    case WM_SETCURSOR:
      // The edit box would give the button its text cursor; the busy cursor still comes first.
      if (BusyCursorShown() || LOWORD(lParam) != HTCLIENT) break;
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      result = TRUE;
      return true;
    case WM_CONTEXTMENU:
      // Other buttons do nothing: the edit box would show its own menu for the button's click.
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
      // The button keeps the mouse while it is held: the release browses wherever it happens.
      held_ = true;
      pressed_ = true;
      SetCapture(Handle());
      break;
    case WM_MOUSEMOVE:
      if (held_) {
        RECT client;
        GetClientRect(Handle(), &client);
        pressed_ = PtInRect(&client, at) != FALSE;
      }
      break;
    case WM_LBUTTONUP:
      if (!held_) break;
      held_ = false;
      pressed_ = false;
      ReleaseCapture();
      RepaintNow();
      box_.BrowseFromButton();
      return true;
    case WM_CAPTURECHANGED:
      held_ = false;
      pressed_ = false;
      break;
    default: break;
  }
  if (pressed_ != wasPressed) InvalidateRect(Handle(), nullptr, TRUE);
  return TWin32Window::HandleMessage(message, wParam, lParam, result);
}

TFolderBrowserAnswer RunShellFolderBrowser(HWND box, const TFolderBrowserRequest& request) {
  const std::wstring title = WideText(request.title);
  const TBrowserStart start{box, ApiPath(request.selection)};
  // The browser writes the chosen item's display name here; it is not used.
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = GetAncestor(box, GA_ROOT);
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | (request.allowNewFolder ? 0U : BIF_NONEWFOLDERBUTTON);
  info.lpfn = BrowserCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  const std::unique_ptr<ITEMIDLIST, TItemListFree> chosen(SHBrowseForFolderW(&info));
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0') return {true, std::nullopt};
  return {true, NarrowText(path)};
}

TWin32DirectoryEdit::TWin32DirectoryEdit() : button_(*this) {
  // The edit box paints around its button, never over it.
  SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
  PlaceButton();
}

void TWin32DirectoryEdit::SetWidth(std::int32_t width) {
  TWin32EditControl::SetWidth(width);
  PlaceButton();
}

void TWin32DirectoryEdit::SetHeight(std::int32_t height) {
  TWin32EditControl::SetHeight(height);
  PlaceButton();
}

void TWin32DirectoryEdit::ButtonChanged() {
  button_.TakeGlyph();
  PlaceButton();
}

void TWin32DirectoryEdit::FontChanged() {
  TWin32EditControl::FontChanged();
  PlaceButton();
}

void TWin32DirectoryEdit::PlaceButton() {
  const TRect button = ButtonRect();
  MoveWindow(button_.Handle(), button.left, button.top, std::max(0, button.right - button.left),
             std::max(0, button.bottom - button.top), TRUE);
  // A sunken edit box keeps one pixel of its own inside its client area on the left and the right;
  // the margins make up the rest of the way to the text rectangle.
  constexpr int kInnerPadding = 1;
  const TRect text = TextRect();
  SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(std::max(0, text.left - kInnerPadding), ClientAreaWidth() - text.right - kInnerPadding));
}

void TWin32DirectoryEdit::BrowseFromButton() {
  Browse();
  if (IsWindowEnabled(Handle()) && IsWindowVisible(Handle()) && GetFocus() != Handle()) SetFocus();
}

bool TWin32DirectoryEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // F4 reaches the box only while it has the focus.
  if (message == WM_KEYDOWN && wParam == VK_F4) {
    Browse();
    result = 0;
    return true;
  }
  // The system's edit box paints with its parent's clipping, over its own child windows: the
  // button is drawn again after every paint of the box.
  if (message == WM_PAINT) {
    if (!TWin32EditControl::HandleMessage(message, wParam, lParam, result))
      result = CallDefault(message, wParam, lParam);
    RedrawWindow(button_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
  }
  return TWin32EditControl::HandleMessage(message, wParam, lParam, result);
}

TFolderBrowserAnswer TWin32DirectoryEdit::RunFolderBrowser(const TFolderBrowserRequest& request) {
  return browser_(Handle(), request);
}

}  // namespace kalvero

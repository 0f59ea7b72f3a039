#include "platform/win32/text_box.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace kalvero {
namespace {

constexpr int kTextColumns = 60;
constexpr WORD kIconId = 100;
constexpr WORD kTextId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// An in-memory dialog template: the controls are placed once the dialog knows its font.
class TTemplate {
 public:
  void Dialog(DWORD style, WORD items, const std::wstring& caption, WORD points, std::wstring_view face) {
    Dword(style);
    Dword(0);
    words_.push_back(items);
    words_.insert(words_.end(), {0, 0, 0, 0, 0, 0});  // position, size, no menu, the dialog class
    Text(caption);
    words_.push_back(points);
    Text(face);
  }
  void Item(DWORD style, DWORD extendedStyle, WORD id, WORD atom, std::wstring_view title) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // each item starts on a DWORD
    Dword(style);
    Dword(extendedStyle);
    words_.insert(words_.end(), {0, 0, 0, 0, id, 0xFFFF, atom});
    Text(title);
    words_.push_back(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Text(std::wstring_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }
  std::vector<WORD> words_;
};

struct TBoxState {
  HWND owner;
  HICON icon;
  const std::wstring* text;
  TMessageButtons buttons;
};

// The edit field shows a line break only as CR LF.
std::wstring FieldText(const std::wstring& text) {
  std::wstring shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) shown += L'\r';
    shown += text[i];
  }
  return shown;
}

// The lines `text` takes wrapped at the field's width, estimated from its characters.
int WrappedLines(std::wstring_view text) {
  int lines = 0;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = text.find(L'\n', begin);
    const std::wstring_view line = text.substr(begin, end == std::wstring_view::npos ? end : end - begin);
    lines += 1 + static_cast<int>(std::max<std::size_t>(line.size(), 1) - 1) / kTextColumns;
    if (end == std::wstring_view::npos) return lines;
    begin = end + 1;
  }
}

RECT WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcWork;
}

void Place(HWND control, int x, int y, int width, int height) {
  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sizes and places the box and its controls in the dialog's font: margins and buttons of the
// usual dialog units, the field about 60 average characters wide and as tall as the text needs,
// the whole box at most two thirds of the work area high, centred on the owner, on the screen.
void Layout(HWND box, const TBoxState& state) {
  RECT units{0, 0, 4, 8};  // one average character
  MapDialogRect(box, &units);
  const int character = units.right, line = units.bottom;
  const int marginX = character * 7 / 4, marginY = line * 7 / 8;
  const int buttonWidth = character * 50 / 4, buttonHeight = line * 14 / 8, buttonGap = character;
  const int icon = GetSystemMetrics(SM_CXICON);
  const int fieldFrame = 2 * GetSystemMetrics(SM_CXEDGE) + character;
  const RECT work = WorkArea(state.owner != nullptr ? state.owner : box);
  const int workWidth = static_cast<int>(work.right - work.left), workHeight = static_cast<int>(work.bottom - work.top);

  const int fieldWidth = std::min(kTextColumns * character + GetSystemMetrics(SM_CXVSCROLL) + fieldFrame,
                                  workWidth * 9 / 10 - 3 * marginX - icon);
  int fieldHeight = WrappedLines(*state.text) * line + fieldFrame;
  const LONG style = GetWindowLongW(box, GWL_STYLE), extendedStyle = GetWindowLongW(box, GWL_EXSTYLE);
  const auto frameOf = [&](int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(extendedStyle));
    return frame;
  };
  const int clientWidth = 3 * marginX + icon + fieldWidth;
  const auto clientHeight = [&] { return 3 * marginY + std::max(icon, fieldHeight) + buttonHeight; };
  RECT frame = frameOf(clientWidth, clientHeight());
  const int mostHeight = workHeight * 2 / 3;
  if (frame.bottom - frame.top > mostHeight) {
    fieldHeight = std::max(fieldHeight - static_cast<int>(frame.bottom - frame.top - mostHeight), 3 * line);
    frame = frameOf(clientWidth, clientHeight());
  }
  const int width = static_cast<int>(frame.right - frame.left), height = static_cast<int>(frame.bottom - frame.top);

  RECT anchor = work;
  if (state.owner != nullptr && IsWindowVisible(state.owner) && !IsIconic(state.owner))
    GetWindowRect(state.owner, &anchor);
  const int x = std::clamp<int>((anchor.left + anchor.right - width) / 2, work.left,
                                std::max<int>(work.left, work.right - width));
  const int y = std::clamp<int>((anchor.top + anchor.bottom - height) / 2, work.top,
                                std::max<int>(work.top, work.bottom - height));
  SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  Place(GetDlgItem(box, kIconId), marginX, marginY, icon, icon);
  Place(GetDlgItem(box, kTextId), 2 * marginX + icon, marginY, fieldWidth, fieldHeight);
  const int buttonsTop = clientHeight() - marginY - buttonHeight;
  int right = clientWidth - marginX;
  for (const int id : {IDCANCEL, IDYES, IDOK}) {
    const HWND button = GetDlgItem(box, id);
    if (button == nullptr) continue;
    Place(button, right - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    right -= buttonWidth + buttonGap;
  }
}

INT_PTR CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto& state = *reinterpret_cast<const TBoxState*>(lParam);
      SendDlgItemMessageW(box, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(state.icon), 0);
      Layout(box, state);
      // Set once the field has its width, so that the text is wrapped once.
      SetDlgItemTextW(box, kTextId, FieldText(*state.text).c_str());
      // Enter presses Ja or OK, also from the text field.
      const int defaultId = state.buttons == TMessageButtons::Ok ? IDOK : IDYES;
      SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
      SetFocus(GetDlgItem(box, defaultId));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDYES || id == IDCANCEL) EndDialog(box, id);
      return TRUE;
    }
    case WM_CLOSE: EndDialog(box, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

// The message font of the desktop, in points, as a dialog template names it.
WORD MessageFontPoints(const LOGFONTW& font) {
  const HDC screen = GetDC(nullptr);
  const int perInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<WORD>(std::max(1, MulDiv(std::abs(static_cast<int>(font.lfHeight)), 72, perInch)));
}

}  // namespace

int ShowTextBox(HWND owner, HICON icon, const std::wstring& caption, const std::wstring& text,
                TMessageButtons buttons) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const bool haveFont = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
  const WORD points = haveFont ? MessageFontPoints(metrics.lfMessageFont) : 9;
  const std::wstring face = haveFont ? metrics.lfMessageFont.lfFaceName : L"Segoe UI";

  const bool okOnly = buttons == TMessageButtons::Ok;
  TTemplate box;
  box.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, okOnly ? 3 : 4, caption, points, face);
  box.Item(WS_CHILD | WS_VISIBLE | SS_ICON, 0, kIconId, kStaticClass, L"");
  box.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
           WS_EX_CLIENTEDGE, kTextId, kEditClass, L"");
  if (okOnly) {
    box.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, IDOK, kButtonClass, L"OK");
  } else {
    box.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, IDYES, kButtonClass, L"&Ja");
    box.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, kButtonClass, L"Abbrechen");
  }
  const TBoxState state{owner, icon, &text, buttons};
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.Get(), owner, BoxProcedure,
                                                 reinterpret_cast<LPARAM>(&state));
  return answer == IDOK || answer == IDYES ? static_cast<int>(answer) : IDCANCEL;
}

}  // namespace kalvero

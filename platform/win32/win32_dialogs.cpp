#include "platform/win32/win32_dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <type_traits>

#include "platform/win32/busy_cursor.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/text_box.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

constexpr std::size_t kPlainMostCharacters = 800;
constexpr std::size_t kPlainMostLineBreaks = 11;

using TTaskDialogIndirect = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// TaskDialogIndirect of the common controls the program runs with: version 6 (through the
// manifest) has it, version 5 does not, so it is looked up rather than imported. The controls are
// those the program imports, else the system's own, never a copy placed beside the program.
TTaskDialogIndirect TaskDialogFunction() {
  static const TTaskDialogIndirect function = [] {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr) controls = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (controls == nullptr) return TTaskDialogIndirect{};
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<TTaskDialogIndirect>(
        reinterpret_cast<void (*)()>(GetProcAddress(controls, "TaskDialogIndirect")));
  }();
  return function;
}

// The system's icon of each kind as the task dialog names it; none for the question mark.
PCWSTR TaskIcon(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return TD_WARNING_ICON;
    case TMessageKind::Error: return TD_ERROR_ICON;
    case TMessageKind::Information: return TD_INFORMATION_ICON;
    case TMessageKind::Confirmation: return nullptr;  // no task dialog icon: IDI_QUESTION as a handle
  }
  return nullptr;
}

// The system's icon of each kind, for our own box and the task dialog's question mark.
HICON SystemIcon(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return LoadIconW(nullptr, IDI_WARNING);
    case TMessageKind::Error: return LoadIconW(nullptr, IDI_ERROR);
    case TMessageKind::Information: return LoadIconW(nullptr, IDI_INFORMATION);
    case TMessageKind::Confirmation: return LoadIconW(nullptr, IDI_QUESTION);
  }
  return nullptr;
}

// Shows a task dialog with our own buttons; answers the button's command, or 0 when the task
// dialog could not be shown.
int ShowTaskDialog(TTaskDialogIndirect taskDialog, HWND owner, TMessageKind kind, const std::wstring& caption,
                   const std::wstring& text, TMessageButtons buttons) {
  // The OK button of a box with only OK is its cancel command, so Escape and the close box press it.
  static const TASKDIALOG_BUTTON kOk[] = {{IDCANCEL, L"OK"}};
  static const TASKDIALOG_BUTTON kYesCancel[] = {{IDYES, L"&Ja"}, {IDCANCEL, L"Abbrechen"}};
  const bool okOnly = buttons == TMessageButtons::Ok;

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner;
  // Escape and the close box cancel; the box is centred on its owner.
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.pszWindowTitle = caption.c_str();
  if (const PCWSTR icon = TaskIcon(kind); icon != nullptr) {
    config.pszMainIcon = icon;
  } else {
    config.dwFlags |= TDF_USE_HICON_MAIN;
    config.hMainIcon = SystemIcon(kind);
  }
  config.pszContent = text.c_str();
  config.cButtons = okOnly ? std::extent_v<decltype(kOk)> : std::extent_v<decltype(kYesCancel)>;
  config.pButtons = okOnly ? kOk : kYesCancel;
  config.nDefaultButton = okOnly ? IDCANCEL : IDYES;
  int pressed = 0;
  return SUCCEEDED(taskDialog(&config, &pressed, nullptr, nullptr)) ? pressed : 0;
}

using TDeviceContext = std::unique_ptr<std::remove_pointer_t<HDC>, decltype([](HDC dc) { ReleaseDC(nullptr, dc); })>;
using TFont = std::unique_ptr<std::remove_pointer_t<HFONT>, decltype([](HFONT font) { DeleteObject(font); })>;

// The width of the widest run of `text` between blanks and line breaks, in the message font.
int WidestUnbreakable(std::wstring_view text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  const TDeviceContext screen(GetDC(nullptr));
  const TFont font(CreateFontIndirectW(&metrics.lfMessageFont));
  if (!screen || !font) return 0;
  const HGDIOBJ previous = SelectObject(screen.get(), font.get());
  int widest = 0;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of(L" \t\r\n", begin);
    if (end == std::wstring_view::npos) end = text.size();
    SIZE size{};
    if (end > begin && GetTextExtentPoint32W(screen.get(), text.data() + begin, static_cast<int>(end - begin), &size))
      widest = std::max(widest, static_cast<int>(size.cx));
    begin = end + 1;
  }
  SelectObject(screen.get(), previous);
  return widest;
}

int ScreenWidth(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcWork.right - monitor.rcWork.left;
}

}  // namespace

bool NeedsScrollableText(std::wstring_view text, int screenWidth) {
  const auto lineBreaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n'));
  return text.size() > kPlainMostCharacters || lineBreaks > kPlainMostLineBreaks ||
         WidestUnbreakable(text) > screenWidth / 2;
}

TMessageAnswer TWin32Dialogs::ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                             TMessageButtons buttons) {
  const HWND owner = IsWindow(owner_) ? owner_ : GetActiveWindow();
  const std::wstring title = WideText(caption.empty() ? MessageCaption(kind) : caption);
  const std::wstring shown = WideText(text);
  const TTaskDialogIndirect taskDialog = TaskDialogFunction();
  int pressed = 0;
  if (taskDialog != nullptr && !NeedsScrollableText(shown, ScreenWidth(owner)))
    pressed = ShowTaskDialog(taskDialog, owner, kind, title, shown, buttons);
  if (pressed == 0) pressed = ShowTextBox(owner, SystemIcon(kind), title, shown, buttons);
  if (buttons == TMessageButtons::Ok) return TMessageAnswer::Ok;
  return pressed == IDYES ? TMessageAnswer::Yes : TMessageAnswer::Cancel;
}

TWin32Dialogs::~TWin32Dialogs() {
  if (busy_) ShowBusyCursor(false);
}

void TWin32Dialogs::SetBusyCursor(bool busy) {
  busy_ = busy;
  ShowBusyCursor(busy);
}

void TWin32Dialogs::ProcessMessages(bool userInput) { PumpWaitingMessages(userInput); }

}  // namespace kalvero

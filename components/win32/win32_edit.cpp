#include "components/win32/win32_edit.h"

#include <string>

namespace kalvero {
namespace {

bool IsHighHalf(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowHalf(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Control characters (Backspace, Enter, Ctrl+V's ^V) are keys, not text.
bool IsPrintable(char32_t code) { return code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0); }

}  // namespace

bool TWin32EditWindow::FilterCharacter(TEdit& control, HWND window, WPARAM character, wchar_t& pendingHighHalf,
                                       const std::function<void(WPARAM)>& type) {
  const auto unit = static_cast<wchar_t>(character);
  // A character outside the Basic Multilingual Plane comes as two messages, one per UTF-16 half;
  // the filter sees the whole character once both are there.
  if (IsHighHalf(unit)) {
    pendingHighHalf = unit;
    return true;
  }
  char32_t code = unit;
  if (IsLowHalf(unit)) {
    if (pendingHighHalf == 0) return true;
    code = 0x10000 + ((static_cast<char32_t>(pendingHighHalf) - 0xD800) << 10) + (unit - 0xDC00);
  }
  pendingHighHalf = 0;
  if (!IsPrintable(code)) return false;
  const char32_t kept = control.FilterKey(code);
  if (kept == U'\0') return true;
  if (kept < 0x10000) {
    type(kept);
    return true;
  }
  // Both halves go in at once, so that the text never holds one half alone; the length limit holds
  // for them as for typing.
  const std::wstring pair{static_cast<wchar_t>(0xD800 + ((kept - 0x10000) >> 10)),
                          static_cast<wchar_t>(0xDC00 + ((kept - 0x10000) & 0x3FF))};
  DWORD start = 0, end = 0;
  SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto limit = static_cast<std::size_t>(SendMessageW(window, EM_GETLIMITTEXT, 0, 0));
  const auto length = static_cast<std::size_t>(GetWindowTextLengthW(window)) - (end - start);
  if (length + pair.size() <= limit) SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair.c_str()));
  return true;
}

std::string TWin32EditWindow::WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return NarrowText(text);
}

}  // namespace kalvero

#pragma once

// Driving Win32 windows in tests: the program's message dispatch run by hand, keys pressed and
// window texts read.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/message_pump.h"

namespace kalvero {

// Handles every waiting message as the program's loop does.
inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchProgramMessage(message);
}

// Handles messages until `done` holds or two seconds passed: under a window manager, activation
// comes back from the display a moment after it was asked for.
inline void PumpUntil(const std::function<bool()>& done) {
  const ULONGLONG end = GetTickCount64() + 2000;
  for (Pump(); !done() && GetTickCount64() < end; Pump()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
}

// A key pressed on the window with the focus, through the program's dispatch (the dialog keys first).
inline void PressKey(WPARAM key) {
  MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
  DispatchProgramMessage(message);
  message.message = WM_KEYUP;
  DispatchProgramMessage(message);
  Pump();
}

inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace kalvero

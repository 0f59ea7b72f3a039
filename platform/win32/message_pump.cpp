#include "platform/win32/message_pump.h"

namespace kalvero {

void DispatchProgramMessage(MSG& message) {
  const HWND window = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (window != nullptr && IsDialogMessageW(window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool IsClientInput(const MSG& message) {
  const UINT id = message.message;
  const bool altF4 = id == WM_SYSKEYDOWN && message.wParam == VK_F4;
  return (id >= WM_KEYFIRST && id <= WM_KEYLAST && !altF4) || (id >= WM_MOUSEFIRST && id <= WM_MOUSELAST);
}

bool PumpWaitingMessages(bool userInput) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (!userInput && IsClientInput(message)) continue;
    DispatchProgramMessage(message);
  }
  return true;
}

}  // namespace kalvero

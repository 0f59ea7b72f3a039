#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace kalvero {

void TWin32Shell::Open(const std::string& target) {
  ShellExecuteW(IsWindow(owner_) ? owner_ : nullptr, L"open", WideText(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace kalvero

#pragma once

// The desktop's "open" over the Win32 shell: ShellExecuteW with the "open" verb, which starts the
// program associated with a file's type or an address's scheme.

#include <windows.h>

#include "platform/shell.h"

namespace kalvero {

class TWin32Shell final : public TShell {
 public:
  // The window that owns whatever the shell shows while it opens the target (the main window).
  void SetOwner(HWND owner) { owner_ = owner; }

  // The result is not examined: a target that cannot be opened shows nothing of ours.
  void Open(const std::string& target) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace kalvero

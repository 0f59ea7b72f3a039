#pragma once

// The desktop's "open" over Qt: QDesktopServices::openUrl, which on Linux hands the file or
// address to xdg-open.

#include "platform/shell.h"

namespace kalvero {

class TQtShell final : public TShell {
 public:
  void Open(const std::string& target) override;
};

}  // namespace kalvero

#pragma once

// A shell that records what it was asked to open.

#include <string>
#include <vector>

#include "platform/shell.h"

namespace kalvero {

class TRecordingShell final : public TShell {
 public:
  void Open(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

}  // namespace kalvero

#pragma once

// The engine joins paths with the native separator ('\' on Windows); the tests write the paths
// they expect with '/'. These answer what the engine made with each native separator written as
// '/', so that one expectation holds on every platform (on POSIX systems they change nothing).

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_names.h"

namespace kalvero {

inline std::string Slashed(std::string text) {
  std::ranges::replace(text, kPathSeparator, '/');
  return text;
}

inline std::vector<std::string> Slashed(std::vector<std::string> texts) {
  for (std::string& text : texts) text = Slashed(std::move(text));
  return texts;
}

}  // namespace kalvero

#pragma once

// Opening a document or a web address with the program the desktop associates with it (the
// manual, the maker's web page). One implementation over the user-interface toolkit
// (platform/qt/), a recording fake in tests.

#include <string>

namespace kalvero {

class TShell {
 public:
  virtual ~TShell() = default;
  // Asks the desktop to open `target`, a file's path or an address holding "://". Whether it
  // could is not reported: the program shows nothing of its own either way.
  virtual void Open(const std::string& target) = 0;
};

}  // namespace kalvero

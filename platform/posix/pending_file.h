#pragma once

// The one file that a copy is writing under a name, kept in static storage so that the handler
// of SIGINT, SIGTERM and SIGHUP can remove it with nothing but unlinkat.

#include <string>

namespace kalvero {

// Names `name` in the open folder `folder` as the file being written, for the life of the object.
class TPendingFile {
 public:
  TPendingFile(int folder, const std::string& name);
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;
  ~TPendingFile();
};

}  // namespace kalvero

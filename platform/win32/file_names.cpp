// The paths of Windows: the backslash separates, a forward slash too, and an absolute path starts
// at a drive's root (C:\) or names a share (\\server\share).

#include "platform/file_names.h"

namespace kalvero {

const char kPathSeparator = '\\';

bool IsAbsolutePath(std::string_view path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return true;
  const bool driveLetter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return driveLetter && path[1] == ':' && separator(path[2]);
}

}  // namespace kalvero

// The paths of Windows: the backslash separates, a forward slash too, and an absolute path starts
// at a drive's root (C:\) or names a share (\\server\share). Some names are no names at all:
// those of devices, and those Windows would change (a dot or a blank at the end is dropped).

#include "platform/file_names.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/ascii_text.h"

namespace kalvero {
namespace {

// A device's name, which Windows takes for the device in every folder and with any extension.
bool IsDeviceName(std::string_view base) {
  while (base.ends_with(' ')) base.remove_suffix(1);
  std::string upper(base);
  std::ranges::transform(upper, upper.begin(), AsciiUpper);
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
  const std::string_view number = std::string_view(upper).substr(3);
  // The superscript digits one to three, in UTF-8, count as the digits themselves.
  constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
         std::ranges::find(kSuperscripts, number) != kSuperscripts.end();
}

}  // namespace

const char kPathSeparator = '\\';

bool IsAbsolutePath(std::string_view path) {
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return true;
  const bool driveLetter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return driveLetter && path[1] == ':' && IsPathSeparator(path[2]);
}

std::size_t RootLength(std::string_view path) {
  if (!IsAbsolutePath(path)) return 0;
  if (!IsPathSeparator(path[0])) return 3;
  // A share: the server's name and the share's, each one name.
  const auto nameEnd = [&path](std::size_t start) {
    std::size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    return end;
  };
  const std::size_t server = nameEnd(2);
  if (server == 2 || server == path.size()) return 0;
  const std::size_t share = nameEnd(server + 1);
  return share == server + 1 ? 0 : share;
}

bool IsRefusedName(std::string_view name) {
  if (name.ends_with('.') || name.ends_with(' ')) return true;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return true;
  }
  return IsDeviceName(name.substr(0, name.find('.')));
}

}  // namespace kalvero

// The longest name of a folder's entry on Windows, as the volume holding it reports it.

#include "platform/name_limit.h"

#include "platform/file_names.h"
#include "platform/win32/win32_file_system.h"

namespace kalvero {

// Windows counts the limit in UTF-16 units, never more than the UTF-8 bytes of the same name: a
// name within it in bytes always fits, and only names with letters beyond ASCII are held to less.
std::optional<long> NameLengthLimit(const std::string& path) {
  std::string folder = path.empty() ? "." : path;
  for (;;) {
    std::error_code error;
    const TWinHandle handle = OpenEntry(folder, FILE_READ_ATTRIBUTES, error);
    if (handle.Valid()) {
      DWORD longest = 0;
      if (!GetVolumeInformationByHandleW(handle.Get(), nullptr, 0, nullptr, &longest, nullptr, nullptr, 0) ||
          longest == 0)
        return std::nullopt;
      return static_cast<long>(longest);
    }
    // A folder not made yet takes the limit of the nearest one above it that exists.
    const std::string_view parent = ParentFolder(folder);
    if (folder == "." || parent == WithoutTrailingSeparators(folder)) return std::nullopt;
    folder = parent.empty() ? std::string(".") : std::string(parent);
  }
}

}  // namespace kalvero

#include "platform/name_limit.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/file_names.h"

namespace kalvero {

std::optional<long> NameLengthLimit(const std::string& path) {
  std::string folder = path.empty() ? "." : path;
  for (;;) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
      const long limit = ::fpathconf(fd, _PC_NAME_MAX);
      ::close(fd);
      return limit > 0 ? std::optional<long>(limit) : std::nullopt;
    }
    // A folder not made yet takes the limit of the nearest one above it that exists.
    const std::string_view parent = ParentFolder(folder);
    if (folder == "." || parent == WithoutTrailingSeparators(folder)) return std::nullopt;
    folder = parent.empty() ? std::string(".") : std::string(parent);
  }
}

}  // namespace kalvero

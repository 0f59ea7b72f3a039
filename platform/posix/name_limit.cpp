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
    while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
    const std::size_t separator = folder.rfind(kPathSeparator);
    if (folder == "/" || folder == ".") return std::nullopt;
    folder = separator == std::string::npos ? "." : folder.substr(0, separator == 0 ? 1 : separator);
  }
}

}  // namespace kalvero

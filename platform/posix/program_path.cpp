#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/program_path.h"

namespace kalvero {

const char kProgramFileSuffix[] = "";

std::string ProgramFolder() {
  std::array<char, 4096> buffer;
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) == buffer.size()) return {};
  const std::string path(buffer.data(), static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

std::error_code ReplaceWithProgram(const std::string& path) {
  ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
  return {errno, std::generic_category()};
}

}  // namespace kalvero

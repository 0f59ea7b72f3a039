#include "platform/folder_chain.h"

#include <vector>

#include "platform/file_names.h"

namespace kalvero {

bool CreateFolderChain(TFileSystem& fileSystem, const std::string& path, std::vector<std::string>* made) {
  // Walk up to the first folder that exists, remembering the ones to make on the way back down.
  std::vector<std::string> missing;
  std::string folder = path;
  for (;;) {
    while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
    if (folder.empty() || fileSystem.FolderExists(folder)) break;
    missing.push_back(folder);
    const std::size_t separator = folder.rfind(kPathSeparator);
    if (separator == std::string::npos) break;
    folder.resize(separator == 0 ? 1 : separator);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!fileSystem.CreateFolder(*it) && made != nullptr) made->push_back(*it);
  return !path.empty() && fileSystem.FolderExists(path);
}

}  // namespace kalvero

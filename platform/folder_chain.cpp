#include "platform/folder_chain.h"

#include <string_view>
#include <vector>

#include "platform/file_names.h"

namespace kalvero {

bool CreateFolderChain(TFileSystem& fileSystem, const std::string& path, std::vector<TMadeFolder>* made) {
  // Walk up to the first folder that exists, remembering the ones to make on the way back down.
  std::vector<std::string> missing;
  for (std::string_view folder = WithoutTrailingSeparators(path);
       !folder.empty() && !fileSystem.FolderExists(std::string(folder));) {
    missing.emplace_back(folder);
    const std::string_view parent = ParentFolder(folder);
    if (parent == folder) break;
    folder = parent;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it)
    if (!fileSystem.CreateFolder(*it) && made != nullptr)
      made->push_back({*it, fileSystem.FolderIdentity(*it).value_or(TFileIdentity{})});
  return !path.empty() && fileSystem.FolderExists(path);
}

}  // namespace kalvero

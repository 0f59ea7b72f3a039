#include "platform/file_system.h"

#include <algorithm>

#include "platform/file_names.h"

namespace kalvero {

std::vector<TFolderEntry> TFileSystem::FindEntries(const std::string& folder, const std::string& mask) const {
  std::vector<TFolderEntry> entries = ListFolder(folder);
  std::erase_if(entries, [&mask](const TFolderEntry& entry) { return !MatchesMask(entry.name, mask); });
  return entries;
}

}  // namespace kalvero

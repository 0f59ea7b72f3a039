#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kalvero {

// A folder that CreateFolderChain made: its path as the chain names it, and its identity.
struct TMadeFolder {
  std::string path;
  TFileIdentity identity;
};

// Creates the folder `path` and every missing folder above it, the outermost first. A relative
// path is created below the current folder. Answers whether the folder exists afterwards; why a
// folder could not be made is not reported. `made`, when given, receives the folders it made, in
// the order it made them.
bool CreateFolderChain(TFileSystem& fileSystem, const std::string& path, std::vector<TMadeFolder>* made = nullptr);

}  // namespace kalvero

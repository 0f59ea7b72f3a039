#pragma once

#include <string>

#include "platform/file_system.h"

namespace kalvero {

// Creates the folder `path` and every missing folder above it, the outermost first. A relative
// path is created below the current folder. Answers whether the folder exists afterwards; why a
// folder could not be made is not reported.
bool CreateFolderChain(TFileSystem& fileSystem, const std::string& path);

}  // namespace kalvero

#pragma once

// The target folder of a copy run on Windows, which the Win32 file system hands out.

#include <cstddef>
#include <memory>
#include <string>
#include <system_error>

#include "platform/file_system.h"

namespace kalvero {

// Opens the existing folder `path` as TFileSystem::OpenTargetFolder does; with `followLink` false a
// path that is a reparse point itself is refused, as OpenRecordedFolder refuses a link.
std::unique_ptr<TTargetFolder> OpenWin32TargetFolder(const std::string& path, bool followLink, std::error_code& error);

// Removes the folder `path` as TFileSystem::RemoveEmptyFolder does.
TRemoval RemoveWin32EmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                std::size_t leaving);

}  // namespace kalvero

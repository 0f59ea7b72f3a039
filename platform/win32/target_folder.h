#pragma once

// The folders that a copy run writes into on Windows, and the removal of an empty folder by its
// path, for the Win32 file system.

#include <cstddef>
#include <memory>
#include <string>
#include <system_error>

#include "platform/file_system.h"

namespace kalvero {

// Opens the existing folder `path` (the current folder for the empty text) for a copy run. With
// `followLink` false, a path that is a link or junction itself is refused with
// too_many_symbolic_link_levels. On failure answers null and sets `error`.
std::unique_ptr<TTargetFolder> OpenWin32TargetFolder(const std::string& path, bool followLink, std::error_code& error);

// Removes the folder `path` as TTargetFolder::RemoveFolder removes one inside its folder; a link
// or junction is no folder and stays.
TRemoval RemoveWin32EmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                std::size_t leaving);

}  // namespace kalvero

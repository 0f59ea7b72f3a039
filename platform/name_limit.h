#pragma once

// How long a name the file system of a folder takes.

#include <optional>
#include <string>

namespace kalvero {

// The longest name, in bytes, that the file system holding `path` takes for an entry of a folder;
// for a path that does not exist yet, that of its nearest folder that does. None when unknown.
std::optional<long> NameLengthLimit(const std::string& path);

}  // namespace kalvero

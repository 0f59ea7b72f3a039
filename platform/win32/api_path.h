#pragma once

// Paths as the wide Win32 API takes them. Windows limits a path to MAX_PATH (260) UTF-16 units
// unless it carries the \\?\ prefix, which also switches off every normalisation; Wine accepts
// long paths without it, Windows does not.

#include <string>
#include <string_view>

namespace kalvero {

// `path` in UTF-16 (WideText); one too long for the plain API (MAX_PATH less the 12 units that a
// folder's name must leave) is made full by the system's rules, as the plain API would read it,
// and given the prefix: \\?\C:\... for a drive, \\?\UNC\server\share\... for a share. A path that
// already has a prefix, and every shorter path, stays as typed.
std::wstring ApiPath(std::string_view path);

}  // namespace kalvero

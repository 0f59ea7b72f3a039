#pragma once

// The rules for names in folders that hold on every platform: the one order of a folder's
// entries, and wildcard masks as the Windows file search reads them.

#include <string_view>

namespace kalvero {

// The separator of folder names in a path ('/' on POSIX systems).
extern const char kPathSeparator;

// The order of names in a folder: byte by byte after mapping a-z to A-Z (every other byte,
// UTF-8 included, unchanged and compared as unsigned); names equal by that are ordered by their
// raw bytes. So a scan lists the same tree in the same order on every file system.
int CompareNames(std::string_view a, std::string_view b);
inline bool NameLess(std::string_view a, std::string_view b) { return CompareNames(a, b) < 0; }

// Windows wildcard matching: letter case (A-Z) is ignored, '*' matches any run of bytes, a
// leading dot included, '?' exactly one byte, and "*.*" matches every name, with or without a dot.
bool MatchesMask(std::string_view name, std::string_view mask);

// True when `name` can only ever name an entry inside the folder it is put in: not empty, not
// "." or "..", no path separator, no control byte (below 32, or 127).
bool IsSinglePathComponent(std::string_view name);

// Hidden entries are those whose name begins with a dot.
inline bool IsHiddenName(std::string_view name) { return name.starts_with('.'); }

}  // namespace kalvero

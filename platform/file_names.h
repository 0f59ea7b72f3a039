#pragma once

// The rules for names in folders that hold on every platform: the one order of a folder's
// entries, wildcard masks as the Windows file search reads them, and the parts of a path.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvero {

// The separator of folder names in a path ('/' on POSIX systems, '\\' on Windows).
extern const char kPathSeparator;

// True for the separator and for '/', which Windows takes as one too.
inline bool IsPathSeparator(char c) { return c == kPathSeparator || c == '/'; }

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

// The names of the relative path `path`, split at every separator. Empty names are kept, so that a
// caller can refuse them ("a//b" has three names); the empty text has one, the empty name.
std::vector<std::string> PathNames(std::string_view path);

// The relative path `path` split at its last separator: the path of the folder that holds its last
// name (empty for a single name), and that name.
std::pair<std::string_view, std::string_view> SplitLastName(std::string_view path);

// `path` without the separators at its end, but a path of separators alone keeps one (the root).
std::string_view WithoutTrailingSeparators(std::string_view path);

// The folder that holds `path`, as the leading part of it: separators at the end of `path` and
// those before its last name are left off ("a//b/" is held by "a"). Empty for a bare name; the
// root is its own parent, so a walk up stops when the parent equals the folder.
std::string_view ParentFolder(std::string_view path);

// True when `path` names the same place whatever the current folder is: on POSIX systems, when
// it begins with the separator.
bool IsAbsolutePath(std::string_view path);

// The length of the root that an absolute path begins with, 0 for any other path: on POSIX systems
// the separator; on Windows a drive's root ("C:\\") or a share ("\\\\server\\share", without a separator
// after it), either separator counting as one.
std::size_t RootLength(std::string_view path);

// True when Windows refuses `name`, one name in a folder, for a file or a folder: its base (the
// part before the first dot, without blanks at its end) names a device (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, in any letter case), it ends in a dot or a blank, or it holds one of
// <>:"/\|?* or a control character. Never on POSIX systems, where IsSinglePathComponent says all.
bool IsRefusedName(std::string_view name);

// Hidden entries are those whose name begins with a dot.
inline bool IsHiddenName(std::string_view name) { return name.starts_with('.'); }

}  // namespace kalvero

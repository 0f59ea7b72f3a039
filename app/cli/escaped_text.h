#pragma once

// Bytes from outside (file names, EXIF texts, settings values) as the command line prints them:
// nothing in them can move the cursor, clear the screen, set the terminal's title or split a line.
// Bytes below 32, the byte 127, the UTF-8 C1 controls (C2 80 to C2 9F) and every byte that is no
// part of valid UTF-8 are written \xNN (two capital hexadecimal digits); a backslash is written
// \\; everything else, blanks and UTF-8 letters included, stays as it is.

#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

std::string Escaped(std::string_view bytes);

// The bytes an escaped text stands for; none when it holds a backslash that starts no valid
// escape, or a byte that Escaped would have escaped.
std::optional<std::string> Unescaped(std::string_view text);

}  // namespace kalvero

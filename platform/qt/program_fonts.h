#pragma once

// The fonts the windows are laid out for: "Tahoma" 8 points (11 pixels), and "Arial".

#include <string>

namespace kalvero {

// Where Debian's fonts-wine puts tahoma.ttf and tahomabd.ttf, a folder fontconfig does not index.
inline constexpr const char* kWineFontFolder = "/usr/share/wine/fonts";

// Adds Tahoma and Tahoma Bold from `wineFontFolder` to the program's fonts. Where Tahoma is then
// still unknown, and where "Arial" does not already resolve to Liberation Sans through fontconfig's
// metric aliases, maps the family to Liberation Sans, whose widths match; never to the wider DejaVu
// Sans that fontconfig would choose, which clips German and French captions. Call once the
// QApplication exists.
void AddProgramFonts(const std::string& wineFontFolder = kWineFontFolder);

}  // namespace kalvero

#pragma once

// The fonts the windows are laid out for: "Tahoma" 8 points (11 pixels), and "Arial".

#include <QFont>

#include <string>

namespace kalvero {

// Where Debian's fonts-wine puts tahoma.ttf, a folder fontconfig does not index.
inline constexpr const char* kWineFontFolder = "/usr/share/wine/fonts";

// Adds Tahoma from `wineFontFolder` to the program's fonts, without its bold face: the outlines of
// that tahomabd.ttf are thin (its bold look lives only in embedded bitmaps, which Qt does not
// draw), while Qt thickens the regular outlines into a bold that looks like one. Where Tahoma is
// then still unknown, and where "Arial" does not already resolve to Liberation Sans through
// fontconfig's metric aliases, maps the family to Liberation Sans, whose widths match; never to
// the wider DejaVu Sans that fontconfig would choose, which clips German and French captions. Call
// once the QApplication exists.
void AddProgramFonts(const std::string& wineFontFolder = kWineFontFolder);

// `font`, with its letters spaced apart by a 24th of its pixel size when it is bold and its family
// has no bold face. Qt thickens the regular glyphs by that much and keeps their advances, so
// without the space the letters of Tahoma touch; with it a bold caption is about as wide as one in
// a real Tahoma Bold. Any other font is returned as it is.
QFont WithBoldSpacing(QFont font);

}  // namespace kalvero

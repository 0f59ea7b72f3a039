#pragma once

// The program's pictures, drawn by draw_artwork.cpp at build time and embedded as Qt resources
// under ":/artwork/". Linking kalvero_artwork is all a program needs: the resources are
// registered before main, so QPixmap(LogoPath(96)) works without any call first.

#include <QString>

#include <array>
#include <string_view>

namespace kalvero {

// The sizes of the square logo, in pixels: 96 and 64 appear in the windows, all of them in the
// desktop icon.
inline constexpr std::array<int, 8> kLogoSizes = {16, 24, 32, 48, 64, 96, 128, 256};

// The languages that have a flag (16 x 11 pixels), by their two-letter codes.
inline constexpr std::array<std::string_view, 4> kFlagLanguages = {"en", "de", "es", "fr"};

// The status icons (16 x 16 pixels), numbered as the status area numbers them: idle, scanning,
// creating folders, copying.
inline constexpr int kStatusIconCount = 4;

// ":/artwork/logo-<size>.png"; a size not in kLogoSizes names no resource.
QString LogoPath(int size);

// ":/artwork/flag-<language>.png"; a language not in kFlagLanguages names no resource.
QString FlagPath(std::string_view language);

// An index outside 0 to kStatusIconCount - 1 names no resource.
QString StatusIconPath(int index);

// The glyph of the help buttons: a white question mark on a blue square, 16 x 16 pixels.
QString HelpGlyphPath();

// The glyph of a folder edit box's browse button: a yellow folder, 14 x 11 pixels.
QString FolderGlyphPath();

}  // namespace kalvero

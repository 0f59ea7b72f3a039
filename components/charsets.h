#pragma once

// Character sets of fonts. The numbers are those of the Windows font API, so a Windows build can
// hand a font's Charset to the system unchanged; on other systems they only travel with the font.
// The constants are named kXxxCharset in code because the script names (ANSI_CHARSET, ...) are
// macros of <windows.h>; the scripts and descriptions use the script names of CharsetNames().

#include <cstdint>

#include "components/ident_table.h"
#include "components/persistent.h"

namespace kalvero {

using TFontCharset = std::int32_t;

constexpr TFontCharset kAnsiCharset = 0;     // ANSI_CHARSET
constexpr TFontCharset kDefaultCharset = 1;  // DEFAULT_CHARSET: the system's own
constexpr TFontCharset kSymbolCharset = 2;   // SYMBOL_CHARSET
constexpr TFontCharset kMacCharset = 77;
constexpr TFontCharset kShiftJisCharset = 128;
constexpr TFontCharset kHangeulCharset = 129;
constexpr TFontCharset kJohabCharset = 130;
constexpr TFontCharset kGb2312Charset = 134;
constexpr TFontCharset kChineseBig5Charset = 136;
constexpr TFontCharset kGreekCharset = 161;
constexpr TFontCharset kTurkishCharset = 162;
constexpr TFontCharset kVietnameseCharset = 163;
constexpr TFontCharset kHebrewCharset = 177;
constexpr TFontCharset kArabicCharset = 178;
constexpr TFontCharset kBalticCharset = 186;
constexpr TFontCharset kRussianCharset = 204;
constexpr TFontCharset kThaiCharset = 222;
constexpr TFontCharset kEastEuropeCharset = 238;
constexpr TFontCharset kOemCharset = 255;

constexpr TIntegerRange kCharsetRange{0, 255};

// Every character-set name with its number.
TIdentTable CharsetNames();

}  // namespace kalvero

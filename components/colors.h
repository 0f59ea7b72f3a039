#pragma once

// Colours. A TColor is a 32-bit integer in one of three forms:
//
//   0x00RRGGBB       an explicit colour: red in bits 16-23, green in bits 8-15, blue in bits 0-7,
//                    so "#FF0000", read as one hexadecimal number, is red;
//   0x01000000 + n   system colour number n (TSystemColor): a colour of the desktop's palette,
//                    which a renderer looks up each time it draws, so it follows the desktop;
//   0x1FFFFFFF       clNone: no colour at all (no fill, no gradient).
//
// Colour properties accept every value from 0 to clNone; a value of none of the three forms is
// drawn as the explicit colour in its low 24 bits.

#include <cstdint>
#include <optional>

#include "components/ident_table.h"
#include "components/persistent.h"

namespace kalvero {

using TColor = std::int32_t;

constexpr TColor kSystemColorFlag = 0x01000000;

// The system colours, numbered from 0 in this order.
enum class TSystemColor {
  Window, WindowText, WindowFrame, BtnFace, BtnText, BtnShadow, BtnHighlight, Light3D, DkShadow3D,
  Highlight, HighlightText, GrayText, InfoBk, InfoText, Menu, MenuText, ActiveCaption, CaptionText,
  InactiveCaption, InactiveCaptionText, ActiveBorder, InactiveBorder, AppWorkSpace, Background,
  ScrollBar,
};
constexpr int kSystemColorCount = static_cast<int>(TSystemColor::ScrollBar) + 1;

constexpr TColor SystemColor(TSystemColor color) { return kSystemColorFlag | static_cast<int>(color); }
constexpr TColor RgbColor(int red, int green, int blue) { return red << 16 | green << 8 | blue; }

// The 16 standard colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x800000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x808000;
constexpr TColor clNavy = 0x000080;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x008080;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0xFF0000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0xFFFF00;
constexpr TColor clBlue = 0x0000FF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;

// The system colours that the windows and the hint renderer use by name.
constexpr TColor clWindow = SystemColor(TSystemColor::Window);
constexpr TColor clWindowText = SystemColor(TSystemColor::WindowText);
constexpr TColor clBtnFace = SystemColor(TSystemColor::BtnFace);
constexpr TColor clHighlight = SystemColor(TSystemColor::Highlight);
constexpr TColor clHighlightText = SystemColor(TSystemColor::HighlightText);
constexpr TColor clInfoBk = SystemColor(TSystemColor::InfoBk);
constexpr TColor clInfoText = SystemColor(TSystemColor::InfoText);
constexpr TColor cl3DLight = SystemColor(TSystemColor::Light3D);
constexpr TColor cl3DDkShadow = SystemColor(TSystemColor::DkShadow3D);

constexpr TColor clNone = 0x1FFFFFFF;

constexpr TIntegerRange kColorRange{0, clNone};

// The system colour a value stands for; nullopt for explicit colours and clNone.
std::optional<TSystemColor> SystemColorOf(TColor color);

// Every colour name: the 16 standard colours, the 25 system colours and clNone.
TIdentTable ColorNames();

}  // namespace kalvero

#pragma once

// Mouse cursors. A TCursor is a number of this table, counted from 0; the Qt-backed controls map
// each to a cursor shape of the desktop.

#include <cstdint>

#include "components/ident_table.h"
#include "components/persistent.h"

namespace kalvero {

using TCursor = std::int32_t;

constexpr TCursor crDefault = 0;  // the control's usual cursor
constexpr TCursor crArrow = 1;
constexpr TCursor crIBeam = 2;
constexpr TCursor crHourGlass = 3;
constexpr TCursor crHandPoint = 4;
constexpr TCursor crCross = 5;
constexpr TCursor crNone = 6;  // no cursor shown
constexpr TCursor crSizeAll = 7;
constexpr TCursor crSizeNS = 8;
constexpr TCursor crSizeWE = 9;
constexpr TCursor crSizeNESW = 10;
constexpr TCursor crSizeNWSE = 11;
constexpr TCursor crUpArrow = 12;
constexpr TCursor crNo = 13;
constexpr TCursor crAppStart = 14;
constexpr TCursor crHelp = 15;
constexpr TCursor crDrag = 16;
constexpr TCursor crNoDrop = 17;
constexpr TCursor crHSplit = 18;
constexpr TCursor crVSplit = 19;

constexpr TIntegerRange kCursorRange{crDefault, crVSplit};

// Every cursor name with its number.
TIdentTable CursorNames();

}  // namespace kalvero

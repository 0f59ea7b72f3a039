#include "components/cursors.h"

#include <array>

namespace kalvero {
namespace {

constexpr auto kCursorNames = std::to_array<TIdentEntry>({
    {"crDefault", crDefault},   {"crArrow", crArrow},       {"crIBeam", crIBeam},
    {"crHourGlass", crHourGlass}, {"crHandPoint", crHandPoint}, {"crCross", crCross},
    {"crNone", crNone},         {"crSizeAll", crSizeAll},   {"crSizeNS", crSizeNS},
    {"crSizeWE", crSizeWE},     {"crSizeNESW", crSizeNESW}, {"crSizeNWSE", crSizeNWSE},
    {"crUpArrow", crUpArrow},   {"crNo", crNo},             {"crAppStart", crAppStart},
    {"crHelp", crHelp},         {"crDrag", crDrag},         {"crNoDrop", crNoDrop},
    {"crHSplit", crHSplit},     {"crVSplit", crVSplit},
});

}  // namespace

TIdentTable CursorNames() { return kCursorNames; }

}  // namespace kalvero

#pragma once

namespace kalvero {

// Sets up the QApplication as the windows are designed for: the style, the program's icon and
// the fonts (Tahoma from the wine fonts, or Liberation Sans in its place).
void PrepareQtApplication();

}  // namespace kalvero

#pragma once

#include "components/window_builder.h"

namespace kalvero {

// The main window `Form1` of class TForm1: every control with its place, size, caption, font,
// alignment and tab order, then its non-visual components in their order.
TWindowDescription MainWindowDescription();

}  // namespace kalvero

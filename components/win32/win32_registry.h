#pragma once

#include "components/class_registry.h"

namespace kalvero {

// Registers the window-backed controls and window in place of the models of the same class names;
// the non-visual components stay as they are.
void RegisterWin32Controls(TClassRegistry& registry);

}  // namespace kalvero

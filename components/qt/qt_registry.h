#pragma once

#include "components/class_registry.h"

namespace kalvero {

// Registers the Qt-backed controls and window in place of the models of the same class names;
// the non-visual components stay as they are.
void RegisterQtControls(TClassRegistry& registry);

}  // namespace kalvero

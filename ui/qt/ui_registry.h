#pragma once

#include "components/class_registry.h"

namespace kalvero {

// Registers the Qt-backed controls of this layer: TDirectoryEdit.
void RegisterUiControls(TClassRegistry& registry);

}  // namespace kalvero

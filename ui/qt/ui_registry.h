#pragma once

#include "components/class_registry.h"

namespace kalvero {

// Registers the Qt-backed components of this layer: TDirectoryEdit, TRichHint and TPictureContainer.
void RegisterUiControls(TClassRegistry& registry);

}  // namespace kalvero

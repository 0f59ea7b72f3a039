#pragma once

#include "components/class_registry.h"

namespace kalvero {

// Registers the components of this layer over the backend this build uses (each backend library
// defines it): TDirectoryEdit, TRichHint and TPictureContainer.
void RegisterUiControls(TClassRegistry& registry);

}  // namespace kalvero

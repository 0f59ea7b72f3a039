#pragma once

// The controls and windows of the backend this build uses (Qt widgets on Linux, Win32 windows on
// Windows), registered under the class names the descriptions use; the non-visual components stay
// the model's. Each backend library defines it.

#include "components/class_registry.h"

namespace kalvero {

void RegisterNativeControls(TClassRegistry& registry);

}  // namespace kalvero

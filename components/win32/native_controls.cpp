#include "components/native_controls.h"

#include "components/win32/win32_registry.h"

namespace kalvero {

void RegisterNativeControls(TClassRegistry& registry) { RegisterWin32Controls(registry); }

}  // namespace kalvero

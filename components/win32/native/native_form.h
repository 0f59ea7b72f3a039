#pragma once

// The window class that the windows of the program derive from, of the backend this build uses:
// here Win32 windows. CMake puts this folder on the include path of the Win32-backed programs.

#include "components/win32/win32_form.h"

namespace kalvero {

using TNativeForm = TWin32Form;

}  // namespace kalvero

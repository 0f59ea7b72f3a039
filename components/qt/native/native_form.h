#pragma once

// The window class that the windows of the program derive from, of the backend this build uses:
// here Qt widgets. CMake puts this folder on the include path of the Qt-backed programs.

#include "components/qt/qt_form.h"

namespace kalvero {

using TNativeForm = TQtForm;

}  // namespace kalvero

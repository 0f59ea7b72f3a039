#include "ui/qt/ui_registry.h"

#include "ui/qt/qt_directory_edit.h"

namespace kalvero {

void RegisterUiControls(TClassRegistry& registry) { registry.Register<TQtDirectoryEdit>("TDirectoryEdit"); }

}  // namespace kalvero

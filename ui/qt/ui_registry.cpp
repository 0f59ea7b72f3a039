#include "ui/ui_registry.h"

#include "ui/qt/qt_directory_edit.h"
#include "ui/rich_hint/qt/rich_hint_window.h"

namespace kalvero {

void RegisterUiControls(TClassRegistry& registry) {
  registry.Register<TQtDirectoryEdit>("TDirectoryEdit");
  registry.Register<TQtRichHint>("TRichHint");
  registry.Register<TPictureContainer>("TPictureContainer");
}

}  // namespace kalvero

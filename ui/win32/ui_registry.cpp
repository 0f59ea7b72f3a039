#include "ui/ui_registry.h"

#include "ui/rich_hint/win32/win32_rich_hint_window.h"
#include "ui/win32/win32_directory_edit.h"

namespace kalvero {

void RegisterUiControls(TClassRegistry& registry) {
  registry.Register<TWin32DirectoryEdit>("TDirectoryEdit");
  registry.Register<TWin32RichHint>("TRichHint");
  registry.Register<TPictureContainer>("TPictureContainer");
}

}  // namespace kalvero

#include "ui/ui_registry.h"

#include "ui/rich_hint/rich_hint.h"
#include "ui/win32/win32_directory_edit.h"

namespace kalvero {

void RegisterUiControls(TClassRegistry& registry) {
  registry.Register<TWin32DirectoryEdit>("TDirectoryEdit");
  registry.Register<TRichHint>("TRichHint");
  registry.Register<TPictureContainer>("TPictureContainer");
}

}  // namespace kalvero

#include "ui/win32/win32_directory_edit.h"

namespace kalvero {

TWin32DirectoryEdit::TWin32DirectoryEdit() { ButtonChanged(); }

void TWin32DirectoryEdit::ButtonChanged() {
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, ButtonWidth()));
}

TFolderBrowserAnswer TWin32DirectoryEdit::RunFolderBrowser(const TFolderBrowserRequest& /*request*/) { return {}; }

}  // namespace kalvero

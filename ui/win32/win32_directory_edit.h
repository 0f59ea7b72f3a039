#pragma once

// The folder edit box over Win32: an EDIT window whose text stops short of the box's right end,
// where the browse button stands in the box's design. The button and the shell's folder browser
// are not part of the Windows box yet: its folder is typed.

#include "components/win32/win32_edit.h"
#include "ui/directory_edit.h"

namespace kalvero {

class TWin32DirectoryEdit final : public TWin32EditControl<TDirectoryEdit> {
 public:
  TWin32DirectoryEdit();

 protected:
  // Keeps the text clear of the button's place.
  void ButtonChanged() override;
  // No browser opens: the answer is a Cancel, which changes nothing.
  TFolderBrowserAnswer RunFolderBrowser(const TFolderBrowserRequest& request) override;
};

}  // namespace kalvero

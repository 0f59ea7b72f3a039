#pragma once

// The message box for long texts (report lists of thousands of paths): the icon, the whole text in
// a read-only scrollable field that can be selected and copied, and the German buttons; about 60
// average characters wide, at most two thirds of the work area high, centred on its owner. It also
// stands in for the task dialog where the common controls have none.

#include <windows.h>

#include <string>

#include "platform/dialogs.h"

namespace kalvero {

// Shows the box modally (the owner is disabled meanwhile) and answers the command that closed it:
// IDOK, IDYES, or IDCANCEL for Abbrechen, Escape and the close box, and when the box could not be
// shown.
int ShowTextBox(HWND owner, HICON icon, const std::wstring& caption, const std::wstring& text,
                TMessageButtons buttons);

}  // namespace kalvero

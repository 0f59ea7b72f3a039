#pragma once

// The desktop services over the Win32 API: message boxes as task dialogs with their own German
// buttons, and a box of our own with a scrollable text for long texts; the busy cursor and the
// passes of the message loop of platform/win32.

#include <windows.h>

#include <string_view>

#include "platform/dialogs.h"

namespace kalvero {

// Whether a box shows `text` (UTF-16, CR LF line breaks) in a scrollable text field instead of
// plain text: when it has more than 12 lines, more than 800 characters, or a piece that cannot be
// broken at a blank (a long path) wider than half of `screenWidth` in the message font. A task
// dialog below that stays well inside any screen; a report list of hundreds of paths would make it
// taller than the screen.
bool NeedsScrollableText(std::wstring_view text, int screenWidth);

class TWin32Dialogs final : public TDialogs {
 public:
  TWin32Dialogs() = default;
  TWin32Dialogs(const TWin32Dialogs&) = delete;
  TWin32Dialogs& operator=(const TWin32Dialogs&) = delete;
  // Gives the windows their own cursors back if this object still shows the busy one.
  ~TWin32Dialogs() override;

  // The window a box belongs to and is centred on (the main window). While it is unset or once it
  // is destroyed, a box belongs to the active window of this thread, if any.
  void SetOwner(HWND owner) { owner_ = owner; }

  // A task dialog (common controls 6), or the box with the scrollable text when the text is long or
  // the task dialog is not there. The owner is disabled while the box is up.
  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                TMessageButtons buttons) override;
  void SetBusyCursor(bool busy) override;
  void ProcessMessages(bool userInput = true) override;

 private:
  HWND owner_ = nullptr;
  bool busy_ = false;
};

}  // namespace kalvero

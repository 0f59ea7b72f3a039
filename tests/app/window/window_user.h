#pragma once

// What a user does to the window program's windows, over the backend this build uses, so that
// the tests of the main window are written once and run against every backend. Each backend's
// test support defines the functions below.

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "components/application.h"
#include "components/forms.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace kalvero {

class TWindowUser {
 public:
  virtual ~TWindowUser() = default;

  // A left click in the middle of the control, pressed and released.
  virtual void Click(TControl& control) = 0;
  // Puts the focus in the edit box and selects its whole text, as a triple click would.
  virtual void SelectAll(TControl& edit) = 0;
  // Types `text` (UTF-8) key by key into the control that has the focus.
  virtual void Type(std::string_view text) = 0;
  // Presses Tab once in the window that has the focus.
  virtual void PressTab() = 0;
  // The control of the program's windows that has the keyboard focus; null for none.
  virtual TControl* FocusedControl() const = 0;
  // Asks the window to close through its close box, as the desktop does.
  virtual void CloseByCloseBox(TForm& window) = 0;

  // What the window system shows: a window's title and the size of its client area, and a
  // control's place and size in its parent's client area.
  virtual std::string Title(const TForm& window) const = 0;
  virtual TPoint ClientSize(const TForm& window) const = 0;
  virtual TRect Bounds(const TControl& control) const = 0;
  // What the progress bar shows: its position and its maximum.
  virtual std::pair<int, int> ProgressShown(const TControl& bar) const = 0;
};

// The application of the backend, over the dialogs and the shell given.
std::unique_ptr<TApplication> NewTestApplication(TDialogs& dialogs, TShell& shell);
// Shows the window and waits until the window system shows it.
void ShowAndWait(TForm& window);
// The user of the backend's windows.
std::unique_ptr<TWindowUser> NewWindowUser();

}  // namespace kalvero

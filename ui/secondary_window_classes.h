#pragma once

// The classes of the About window and the two placeholder help windows, over the window class of
// the backend this build uses. Everything a window shows comes from its description
// (ui/secondary_windows.h); a description names no handlers, so each class wires its own in
// Loaded, once its controls exist.

#include "components/class_registry.h"
#include "native_form.h"

namespace kalvero {

class TLabel;

// A window that its OK button, Button1, closes.
class TSecondaryForm : public TNativeForm {
 public:
  // Throws EComponentError when the description has no button Button1.
  void Loaded() override;

  // Closes the window, which hides it; only the main window's Close ends the program.
  void Button1Click(TComponent& sender);
};

// The About window. Its link label Label2 underlines itself in blue while the pointer is over it
// and opens the maker's web page when clicked.
class TForm2 final : public TSecondaryForm {
 public:
  // Throws EComponentError when the description has no label Label2.
  void Loaded() override;

  // The pointer entered the link: underlined, pure blue.
  void Label2MouseEnter(TComponent& sender);
  // The pointer left it: no underline, black, whatever colour it was designed with.
  void Label2MouseLeave(TComponent& sender);
  // The pointer moved over it: from now on it shows the hand pointer there.
  void Label2MouseMove(TComponent& sender, int x, int y);
  // Asks the application's shell to open kMakerWebPage; without a shell nothing happens, and
  // whether the shell could open it is not examined.
  void Label2Click(TComponent& sender);

 private:
  TLabel* link_ = nullptr;
};

// The folder-placeholder help window.
class TForm3 final : public TSecondaryForm {};

// The file-placeholder help window.
class TForm4 final : public TSecondaryForm {};

// Registers TForm2, TForm3 and TForm4. Their descriptions also name TGroupBox, TLabel, TButton
// and TImage, which RegisterNativeControls (components/native_controls.h) registers, and
// TMultilanguage, which RegisterLanguageClasses (localisation/multilanguage.h) registers.
void RegisterSecondaryWindows(TClassRegistry& registry);

}  // namespace kalvero

#pragma once

// The desktop services of a window program that are not windows of its own: modal message boxes,
// the busy cursor over the whole screen, and letting the message loop handle what is waiting.
// One implementation over the user-interface toolkit (platform/qt/), fakes in tests.

#include <string>
#include <string_view>

namespace kalvero {

enum class TMessageKind { Warning, Error, Information, Confirmation };
enum class TMessageButtons { Ok, YesCancel };
enum class TMessageAnswer { Ok, Yes, Cancel };

// The fixed caption of a message box of each kind, whatever the language: "Warnung", "Fehler",
// "Informationen", "Bestätigen".
const char* MessageCaption(TMessageKind kind);

// The text of the application's error box for an error message: the message, with a full stop
// added when its last byte sorts after '.'. The window and the command line both show this.
std::string ErrorBoxText(std::string_view message);

class TDialogs {
 public:
  virtual ~TDialogs() = default;

  // Shows a modal message box with the standard icon of `kind`, the caption given (empty: the
  // kind's fixed caption) and the buttons given, labelled "OK", or "&Ja" and "Abbrechen"; answers
  // the button pressed (Escape and the close box answer Cancel, or Ok for a box with only OK).
  virtual TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                        TMessageButtons buttons) = 0;

  // The busy cursor over every window of the program, or the normal one again.
  virtual void SetBusyCursor(bool busy) = 0;

  // Lets the message loop handle the messages that are waiting; without user input, only what
  // keeps the windows painted and answering the desktop.
  virtual void ProcessMessages(bool userInput = true) = 0;
};

}  // namespace kalvero

#pragma once

// The desktop services over Qt Widgets: QMessageBox with the fixed German captions and button
// labels, the application's override cursor and QCoreApplication::processEvents. A box shows its
// text in its owner's font (the windows' font), on the lines the text brings; only a line wider
// than three quarters of the screen's work area wraps.

#include "platform/dialogs.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kalvero {

// A message text as the box shows it: UTF-8 decoded, each CR LF one line break.
QString MessageBoxText(const std::string& text);

// Whether a box shows `text` in a scrollable text area instead of its label: when it has more
// than 12 lines, more than 800 characters, or a piece that a label cannot break (a run without
// spaces or slashes, such as a long file name) wider than half the screen. A label below that
// takes at most about 20 wrapped lines and stays well inside any screen; a longer report list
// would make the box taller than the screen, and an unbreakable run makes Qt's box as wide as a
// small screen and more.
bool NeedsScrollableText(const QString& text, const QFont& font, int screenWidth);

class TQtDialogs final : public TDialogs {
 public:
  TQtDialogs() = default;
  TQtDialogs(const TQtDialogs&) = delete;
  TQtDialogs& operator=(const TQtDialogs&) = delete;
  // Gives the normal cursor back if this object still shows the busy one.
  ~TQtDialogs() override;

  // The window the message boxes are centred on (the main window). While it is unset or once it
  // is destroyed, a box belongs to the active window, if any.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                TMessageButtons buttons) override;
  // Sets or restores the override cursor only when the state changes, so repeated calls never
  // stack cursors.
  void SetBusyCursor(bool busy) override;
  void ProcessMessages(bool userInput = true) override;

 private:
  QPointer<QWidget> owner_;
  bool busy_ = false;
};

}  // namespace kalvero

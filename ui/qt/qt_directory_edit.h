#pragma once

// The folder edit box over Qt: a line edit with a browse button inside its right end and Qt's own
// (non-native) folder dialog as the browser, placed beside the box before it opens. A window
// manager may still move the dialog; where it honours the position, it stands as described.

#include <QPointer>
#include <QToolButton>

#include "components/qt/qt_edit.h"
#include "ui/directory_edit.h"

namespace kalvero {

class TQtDirectoryEdit;

class TDirectoryEditWidget final : public TEditWidget {
 public:
  explicit TDirectoryEditWidget(TQtDirectoryEdit& control);

  QToolButton& Button() const { return *button_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TQtDirectoryEdit& control_;
  QToolButton* button_;
  bool buttonPressed_ = false;
};

class TQtDirectoryEdit final : public TQtEditControl<TDirectoryEdit, TDirectoryEditWidget> {
 public:
  TQtDirectoryEdit();

  // Places the button and narrows the text area from the box's size.
  void PlaceButton();

 protected:
  // Shows the glyph on the button and places it.
  void ButtonChanged() override;
  TFolderBrowserAnswer RunFolderBrowser(const TFolderBrowserRequest& request) override;
};

// Qt's file dialog keeps a history (last folders, sizes) in a settings file of Qt's own, which
// other Qt programs of the user share; the program keeps one settings file, its own. This points
// Qt's user settings at a place that cannot be made, so the dialog neither reads nor writes a file.
// Call once at start, before any dialog.
void KeepFileDialogHistoryOutOfFiles();

}  // namespace kalvero

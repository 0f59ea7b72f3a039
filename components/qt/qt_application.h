#pragma once

// The application object over Qt's: the message loop, its idle notification, the focus that
// moves between controls, and the hints of the controls that show hints.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QTimer>

#include "components/application.h"

namespace kalvero {

class TQtApplication final : public QObject, public TApplication {
 public:
  // How far below the pointer a hint appears: the height of the pointer.
  static constexpr int kPointerHeight = 20;
  // How long a hint stays when nothing else hides it.
  static constexpr int kHintHidePause = 10000;

  // The QApplication must exist. `dialogs` shows the error box; `shell` opens documents.
  explicit TQtApplication(TDialogs& dialogs, TShell* shell = nullptr);
  ~TQtApplication() override;

  // Runs the message loop until Terminate; answers its exit code.
  int Run();
  void Terminate() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FocusChanged(QWidget* now);
  bool ShowHintFor(QObject* watched, QEvent* event);
  bool HintShowing() const;
  // Whether `pointer` (on the desktop) lies on hintWidget_.
  bool PointerOnHintControl(const QPoint& pointer) const;

  // The widget of the control whose hint shows last; null once it is gone.
  QPointer<QWidget> hintWidget_;
  QTimer hintTimer_;
};

// The hint window that shows plain text as the desktop's tool tip; the application's hint window
// until a component puts another in its place.
std::unique_ptr<THintWindow> NewToolTipHintWindow();

}  // namespace kalvero

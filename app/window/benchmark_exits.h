#pragma once

// Switches of the window program for benchmarks and checks: each prints the machine's monotonic
// clock (MonotonicNanoseconds, as seconds with nine decimals) at a moment of interest and ends the
// program.

#include <QObject>

#include <string>

#include "components/qt/qt_application.h"
#include "platform/dialogs.h"

namespace kalvero {

// KALVERO_EXIT_AFTER_FIRST_PAINT: at the first paint of the watched window (the main window), for
// the start-up benchmark, the install check and the test that `kalvero` starts the window program.
class TFirstPaintExit final : public QObject {
 public:
  explicit TFirstPaintExit(TQtApplication& application) : application_(application) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TQtApplication& application_;
  bool done_ = false;
};

// KALVERO_EXIT_AFTER_RUN: the dialogs of the program, except that the end of the first copy run
// (its first message box, or the busy cursor's end when it shows none) prints the clock and ends
// the program at once, without showing a box: for the window-run benchmark, which clicks the
// button itself and so knows when the run began.
class TRunEndExit final : public TDialogs {
 public:
  explicit TRunEndExit(TDialogs& dialogs) : dialogs_(dialogs) {}

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                TMessageButtons buttons) override;
  void SetBusyCursor(bool busy) override;
  void ProcessMessages(bool userInput) override { dialogs_.ProcessMessages(userInput); }

 private:
  TDialogs& dialogs_;
  bool running_ = false;
};

}  // namespace kalvero

#pragma once

// Switches of the window program for benchmarks and checks: each prints the machine's monotonic
// clock (MonotonicNanoseconds, as seconds with nine decimals) at a moment of interest and ends the
// program. KALVERO_EXIT_AFTER_FIRST_PAINT ends it at the main window's first paint, for the start-up
// benchmark, the install checks and the test that `kalvero` starts the window program; each
// backend's main function watches for that paint.

#include "platform/dialogs.h"

namespace kalvero {

// Prints the monotonic clock on the standard output and flushes it.
void PrintMonotonicClock();

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

#pragma once

// Dialogs that record the message boxes asked for instead of showing them, and answer as told.

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace kalvero {

class TRecordingDialogs final : public TDialogs {
 public:
  struct TBox {
    TMessageKind kind;
    std::string caption;
    std::string text;
  };

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                TMessageButtons buttons) override {
    boxes.push_back({kind, caption, text});
    return buttons == TMessageButtons::YesCancel ? answer : TMessageAnswer::Ok;
  }
  void SetBusyCursor(bool isBusy) override { busy = isBusy; }
  void ProcessMessages(bool userInput) override {
    ++processed;
    if (onProcessMessages) onProcessMessages(userInput);
  }

  std::vector<TBox> boxes;
  TMessageAnswer answer = TMessageAnswer::Yes;
  bool busy = false;
  int processed = 0;
  // Runs for every ProcessMessages, e.g. to let Qt handle its events as the real dialogs do.
  std::function<void(bool userInput)> onProcessMessages;
};

}  // namespace kalvero

#pragma once

// An engine host over plain fields that records what the engine shows, with the message texts
// of the main window's real language script.

#include <string>
#include <vector>

#include "components/component.h"
#include "engine/engine_host.h"
#include "localisation/multilanguage.h"
#include "localisation/window_scripts.h"

namespace kalvero {

struct TShownMessage {
  TMessageKind kind;
  std::string text;
  TMessageButtons buttons;
};

class TRecordingHost : public TEngineHost {
 public:
  explicit TRecordingHost(const std::string& language = "German")
      : lng_(window_.CreateComponent<TMultilanguage>("lng")) {
    lng_.SetScript(MainWindowScript());
    lng_.SetLanguage(language);
  }

  std::string DirText() const override { return dir; }
  std::string Dir2Text() const override { return dir2; }
  std::string Edit1Text() const override { return edit1; }
  std::string Edit2Text() const override { return edit2; }
  bool Cb2Checked() const override { return cb2; }
  std::string Label5Caption() const override { return label5; }
  void SetLabel9Caption(const std::string& caption) override { label9 = caption; }
  void FocusEdit2() override { ++edit2Focused; }

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& text,
                                TMessageButtons buttons) override {
    messages.push_back({kind, text, buttons});
    return answer;
  }

  std::string GetText(const std::string& key) const override { return lng_.GetText(key); }

  std::string dir, dir2;
  std::string edit1 = "DD.MM.YYYY - HH.NN.SS";
  std::string edit2 = "YYYY.MM.DD";
  bool cb2 = true;
  std::string label5, label9;
  int edit2Focused = 0;
  std::vector<TShownMessage> messages;
  TMessageAnswer answer = TMessageAnswer::Ok;  // what the user presses in every box

 private:
  TComponent window_;
  TMultilanguage& lng_;
};

}  // namespace kalvero

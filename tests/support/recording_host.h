#pragma once

// An engine host over plain fields that records what the engine shows, with the message texts
// of the main window's real language script. Every change of the status area, the counters and
// the progress bar, and every message processing ("process", or "process without input"), is also
// logged in `events` in order.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "components/component.h"
#include "engine/engine_host.h"
#include "localisation/multilanguage.h"
#include "localisation/program_texts.h"
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
  void SetDirText(const std::string& text) override { dir = text; }
  std::string Dir2Text() const override { return dir2; }
  void SetDir2Text(const std::string& text) override { dir2 = text; }
  std::string Edit1Text() const override { return edit1; }
  void SetEdit1Text(const std::string& text) override { edit1 = text; }
  std::string Edit2Text() const override { return edit2; }
  void SetEdit2Text(const std::string& text) override { edit2 = text; }
  bool Cb1Checked() const override { return cb1; }
  void SetCb1Checked(bool checked) override { cb1 = checked; }
  bool Cb2Checked() const override { return cb2; }
  void SetCb2Checked(bool checked) override { cb2 = checked; }
  std::string Label5Caption() const override { return label5; }
  void SetLabel5Caption(const std::string& caption) override { Log("Label5=" + (label5 = caption)); }
  void SetLabel6Caption(const std::string& caption, TRepaint repaint) override {
    Log("Label6=" + (label6 = caption) + (repaint == TRepaint::Now ? " now" : ""));
  }
  void SetLabel9Caption(const std::string& caption) override { label9 = caption; }
  void SetBarMax(int maximum) override { Log("barMax=" + std::to_string(barMax = maximum)); }
  void SetBarPosition(int position) override { Log("bar=" + std::to_string(barPosition = position)); }
  void AdvanceBar() override { Log("bar=" + std::to_string(++barPosition)); }
  void SetBusyCursor(bool busy) override { Log((busyCursor = busy) ? "cursor=busy" : "cursor=default"); }
  void SetStatusIcon(TStatusIcon icon, TRepaint repaint) override {
    statusIcon = icon;
    Log("icon=" + std::to_string(static_cast<int>(icon)) + (repaint == TRepaint::Now ? " now" : " later"));
  }
  void SetStatusText(const std::string& text) override { Log("status=" + (statusText = text)); }
  void ProcessMessages(bool userInput) override {
    Log(userInput ? "process" : "process without input");
    if (onProcessMessages) onProcessMessages();
  }
  bool Closing() const override { return closing; }
  void FocusEdit2() override { ++edit2Focused; }

  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& text,
                                TMessageButtons buttons) override {
    messages.push_back({kind, text, buttons});
    Log("box=" + text);
    return answer;
  }

  void ShowScanRecords(const TScanRecords& records) override {
    Log("records=" + std::to_string(records.size()));
    shownRecords.push_back(records);
  }

  void ShowOtherFiles(const std::vector<std::string>& paths) override {
    Log("others=" + std::to_string(paths.size()));
    shownOthers.push_back(paths);
  }

  bool PictureDone(const TPictureAccount& account) override {
    return Keep(account.source + " " + account.target + " " + std::string(WordsOf(account.reason).journalWord));
  }
  bool FolderMade(const std::string& folder, bool belowTarget, const TFileIdentity&) override {
    return Keep((belowTarget ? "folder " : "target-folder ") + folder);
  }

  std::string GetText(const std::string& key) const override { return lng_.GetText(key); }
  std::string ProgramText(const std::string& key) const override {
    return kalvero::ProgramText(lng_.Language(), key);
  }
  std::string Language() const override { return lng_.Language(); }
  void SetLanguage(const std::string& language) override {
    Log("language=" + language);
    lng_.SetLanguage(language);
  }

  std::string dir, dir2;
  std::string edit1 = "DD.MM.YYYY - HH.NN.SS";
  std::string edit2 = "YYYY.MM.DD";
  bool cb1 = true;
  bool cb2 = true;
  std::string label5, label6, label9;
  int barMax = 100;
  int barPosition = 0;
  bool busyCursor = false;
  TStatusIcon statusIcon = TStatusIcon::Idle;
  std::string statusText;
  int edit2Focused = 0;
  std::vector<std::string> events;
  // Runs inside ProcessMessages, as a window's event handlers would.
  std::function<void()> onProcessMessages;
  bool closing = false;  // the window was asked to close
  // Runs after each logged event, so that a test can change the world at a given step of a run.
  std::function<void(const std::string& event)> onEvent;
  std::vector<TShownMessage> messages;
  std::vector<TScanRecords> shownRecords;
  std::vector<std::vector<std::string>> shownOthers;
  // The accounts of a run kept so far ("source target reason", "folder name"); the host keeps at
  // most `accountRoom`, as a journal on a full disk.
  std::vector<std::string> accounts;
  std::size_t accountRoom = SIZE_MAX;
  TMessageAnswer answer = TMessageAnswer::Ok;  // what the user presses in every box

 private:
  bool Keep(std::string account) {
    if (accounts.size() >= accountRoom) return false;
    accounts.push_back(std::move(account));
    return true;
  }

  void Log(std::string event) {
    events.push_back(std::move(event));
    if (onEvent) onEvent(events.back());
  }

  TComponent window_;
  TMultilanguage& lng_;
};

}  // namespace kalvero

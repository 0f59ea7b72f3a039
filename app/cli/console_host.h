#pragma once

// The engine host of the command line: the main window's fields as plain values, status texts
// printed when they change, message boxes printed after a label in the run's language, progress drawn on a terminal, questions asked on a terminal. It
// counts what became of the pictures, names those not copied (verbose), prints a dry run's plan
// and keeps the journal. Paths and other bytes from outside are printed escaped.

#include <string>
#include <vector>

#include "app/cli/journal.h"
#include "components/component.h"
#include "engine/engine_host.h"
#include "localisation/multilanguage.h"

namespace kalvero {

// How the command line reports a run.
struct TConsoleMode {
  bool answerYes = false;  // answer every question with Yes without asking
  bool verbose = false;    // name each picture not copied, with its reason, on standard error
  bool dryRun = false;     // print the plan instead of status texts and the copying's message boxes
  bool alreadyThere = false;  // the run may find pictures already there: the summary counts them
  bool jpegOnly = true;       // the run takes JPEG pictures only: every other file is "not a JPEG"
  TJournalWriter* journal = nullptr;
};

class TConsoleHost final : public TEngineHost {
 public:
  // `language` selects the texts of the main window's script.
  TConsoleHost(const std::string& language, const TConsoleMode& mode);

  std::string DirText() const override { return dir_; }
  void SetDirText(const std::string& text) override { dir_ = text; }
  std::string Dir2Text() const override { return dir2_; }
  void SetDir2Text(const std::string& text) override { dir2_ = text; }
  std::string Edit1Text() const override { return edit1_; }
  void SetEdit1Text(const std::string& text) override { edit1_ = text; }
  std::string Edit2Text() const override { return edit2_; }
  void SetEdit2Text(const std::string& text) override { edit2_ = text; }
  bool Cb1Checked() const override { return cb1_; }
  void SetCb1Checked(bool checked) override { cb1_ = checked; }
  bool Cb2Checked() const override { return cb2_; }
  void SetCb2Checked(bool checked) override { cb2_ = checked; }

  std::string Label5Caption() const override { return label5_; }
  void SetLabel5Caption(const std::string& caption) override { label5_ = caption; }
  void SetLabel6Caption(const std::string&, TRepaint) override {}
  void SetLabel9Caption(const std::string&) override {}
  void SetBarMax(int maximum) override { barMax_ = maximum; }
  void SetBarPosition(int position) override;
  void AdvanceBar() override;
  void SetBusyCursor(bool busy) override { busy_ = busy; }
  void SetStatusIcon(TStatusIcon, TRepaint) override {}
  void SetStatusText(const std::string& text) override;
  void ProcessMessages(bool) override {}
  bool Closing() const override { return false; }
  void FocusEdit2() override {}
  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) override;
  void ShowScanRecords(const TScanRecords& records) override;
  void ShowOtherFiles(const std::vector<std::string>& paths) override;
  // Each answers false when the journal could not take its line.
  bool PictureDone(const TPictureAccount& account) override;
  bool FolderMade(const std::string& folder, bool belowTarget, const TFileIdentity& identity) override;
  std::string ShownPath(const std::string& path) const override;
  std::string GetText(const std::string& key) const override { return lng_.GetText(key); }
  std::string ProgramText(const std::string& key) const override;
  std::string Language() const override { return lng_.Language(); }
  void SetLanguage(const std::string& language) override { lng_.SetLanguage(language); }

  // The summary line: the counts of the pictures copied, not copied, without a usable date, the
  // entries not examined and the other files, and of those already there where a run may find them.
  std::string Summary() const;

 private:
  // The counts of the summary line.
  struct TCounts {
    int copied = 0;
    int notCopied = 0;
    int undated = 0;
    int notExamined = 0;
    int others = 0;  // files of the source that are no JPEG pictures
    int alreadyThere = 0;
  };

  void DrawProgress();
  void ClearProgress();
  TMessageAnswer Ask();

  TComponent window_;
  TMultilanguage& lng_;
  TConsoleMode mode_;
  TCounts counts_;
  bool progressOnTerminal_;
  bool progressShown_ = false;
  bool busy_ = false;  // the run is copying: from the busy cursor on until it is taken back
  std::string dir_, dir2_, edit1_, edit2_, label5_, statusText_;
  bool cb1_ = true, cb2_ = true;
  int barMax_ = 100, barPosition_ = 0;
};

}  // namespace kalvero

#pragma once

// The main window `Form1`: built from its description, it is the engine's host over its controls
// and runs the handlers of its controls: scanning as the source folder changes, the name preview,
// the key filters of the pattern fields, the copy run, the language flags, the manual and the
// other windows. Its settings are loaded when it is created and saved when it closes.

#include <cstdint>
#include <optional>
#include <string>

#include "components/image_controls.h"
#include "components/progress_bar.h"
#include "native_form.h"
#include "components/status_bar.h"
#include "engine/sort_engine.h"
#include "localisation/multilanguage.h"
#include "ui/directory_edit.h"

namespace kalvero {

class TApplication;

class TForm1 final : public TNativeForm, public TEngineHost {
 public:
  TForm1(TFileSystem& fileSystem, const TClock& clock, const TEnvironment& environment);

  TSortEngine& Engine() { return engine_; }

  // TEngineHost over the controls. Texts the engine writes are written quietly: the engine runs
  // what a change starts itself.
  std::string DirText() const override { return dir_->Text(); }
  void SetDirText(const std::string& text) override { dir_->SetTextQuietly(text); }
  std::string Dir2Text() const override { return dir2_->Text(); }
  void SetDir2Text(const std::string& text) override { dir2_->SetTextQuietly(text); }
  std::string FolderPath(const std::string& text) const override;
  std::string Edit1Text() const override { return edit1_->Text(); }
  void SetEdit1Text(const std::string& text) override { edit1_->SetTextQuietly(text); }
  std::string Edit2Text() const override { return edit2_->Text(); }
  void SetEdit2Text(const std::string& text) override { edit2_->SetTextQuietly(text); }
  bool Cb1Checked() const override { return cb1_->Checked(); }
  void SetCb1Checked(bool checked) override { cb1_->SetChecked(checked); }
  bool Cb2Checked() const override { return cb2_->Checked(); }
  void SetCb2Checked(bool checked) override { cb2_->SetChecked(checked); }
  std::string Label5Caption() const override { return label5_->Text(); }
  void SetLabel5Caption(const std::string& caption) override { label5_->SetText(caption); }
  void SetLabel6Caption(const std::string& caption, TRepaint repaint) override;
  void SetLabel9Caption(const std::string& caption) override { label9_->SetText(caption); }
  void SetBarMax(int maximum) override { bar_->SetMax(maximum); }
  void SetBarPosition(int position) override { bar_->SetPosition(position); }
  void AdvanceBar() override;
  void SetBusyCursor(bool busy) override;
  void SetStatusIcon(TStatusIcon icon, TRepaint repaint) override;
  void SetStatusText(const std::string& text) override { statusBar_->Panels().Panel(1).SetText(text); }
  void ProcessMessages(bool userInput) override;
  // The window was asked to close and the program is ending.
  bool Closing() const override;
  void FocusEdit2() override { edit2_->SetFocus(); }
  TMessageAnswer ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) override;
  void ShowScanRecords(const TScanRecords& records) override;
  void ShowOtherFiles(const std::vector<std::string>& paths) override;
  std::string GetText(const std::string& key) const override { return lng_->GetText(key); }
  std::string ProgramText(const std::string& key) const override;
  std::string Language() const override { return lng_->Language(); }
  void SetLanguage(const std::string& language) override { lng_->SetLanguage(language); }

  // The handlers of the main window.
  void FormCreate();
  void FormClose();
  void Edit2Change();
  void Button1Click();
  void SpeedButton1Click();
  void ShowWindow(const char* name);
  void SwitchLanguage(const char* language);
  void RichHint1ShowHint(std::string& hint, bool& canShow, THintInfo& info);

 protected:
  // Finds the controls and wires their handlers once the window is built.
  void Loaded() override;
  void DoCreate() override { FormCreate(); }
  // A close request while a copy run works waits until its report has been shown.
  bool CloseQuery() override;

 private:
  // The application the window belongs to; throws EComponentError when it belongs to none.
  TApplication& Application() const;
  // Draws the copied count and the bar when a frame has passed since they were last drawn, or,
  // with `now`, at once when a step is still waiting to be drawn.
  void RepaintProgress(bool now);

  static constexpr std::int64_t kFrameMilliseconds = 16;

  TSortEngine engine_;
  const TClock& clock_;
  const TEnvironment& environment_;
  TDirectoryEdit* dir_ = nullptr;
  TDirectoryEdit* dir2_ = nullptr;
  TEdit* edit1_ = nullptr;
  TEdit* edit2_ = nullptr;
  TCheckBox* cb1_ = nullptr;
  TCheckBox* cb2_ = nullptr;
  TLabel* label5_ = nullptr;
  TLabel* label6_ = nullptr;
  TLabel* label9_ = nullptr;
  TProgressBar* bar_ = nullptr;
  TImage* image6_ = nullptr;
  TImageList* imageList1_ = nullptr;
  TStatusBar* statusBar_ = nullptr;
  TMultilanguage* lng_ = nullptr;
  bool closed_ = false;
  bool running_ = false;
  bool closeWaiting_ = false;
  std::optional<std::int64_t> progressDrawn_;  // when the count and the bar were last drawn
  bool progressWaiting_ = false;               // a step of theirs is not drawn yet
};

}  // namespace kalvero

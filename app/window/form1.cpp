#include "app/window/form1.h"

#include "components/application.h"
#include "localisation/program_texts.h"
#include "platform/program_path.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {
namespace {

constexpr const char* kManual = "documentation.pdf";

}  // namespace

TForm1::TForm1(TFileSystem& fileSystem, const TClock& clock, const TEnvironment& environment)
    : engine_(*this, fileSystem, clock), environment_(environment) {}

template <class T>
T& TForm1::Find(const char* name) const {
  auto* component = dynamic_cast<T*>(FindComponent(name));
  if (component == nullptr) throw EComponentError(std::string("The main window has no ") + name);
  return *component;
}

void TForm1::Loaded() {
  TQtForm::Loaded();
  dir_ = &Find<TDirectoryEdit>("dir");
  dir2_ = &Find<TDirectoryEdit>("dir2");
  edit1_ = &Find<TEdit>("Edit1");
  edit2_ = &Find<TEdit>("Edit2");
  cb1_ = &Find<TCheckBox>("cb1");
  cb2_ = &Find<TCheckBox>("cb2");
  label5_ = &Find<TLabel>("Label5");
  label6_ = &Find<TLabel>("Label6");
  label9_ = &Find<TLabel>("Label9");
  bar_ = &Find<TProgressBar>("bar");
  image6_ = &Find<TImage>("Image6");
  imageList1_ = &Find<TImageList>("ImageList1");
  statusBar_ = &Find<TStatusBar>("StatusBar1");
  lng_ = &Find<TMultilanguage>("lng");

  dir_->OnChange = [this](TComponent&) { engine_.dirChange(); };
  edit1_->OnChange = [this](TComponent&) { engine_.Edit1Change(); };
  // Edit2's change and cb2's click run the handler assigned to Edit1's change, the window as sender.
  edit2_->OnChange = [this](TComponent&) { Edit2Change(); };
  cb2_->OnClick = edit2_->OnChange;
  edit1_->OnKeyPress = [](TComponent&, char32_t& key) { key = TSortEngine::Edit1KeyPress(key); };
  edit2_->OnKeyPress = [](TComponent&, char32_t& key) { key = TSortEngine::Edit2KeyPress(key); };
  edit2_->OnExit = [this](TComponent&) { engine_.Edit2Exit(); };
  Find<TButton>("Button1").OnClick = [this](TComponent&) { Button1Click(); };
  Find<TButton>("Button2").OnClick = [this](TComponent&) { Close(); };
  Find<TButton>("SpeedButton1").OnClick = [this](TComponent&) { SpeedButton1Click(); };
  Find<TButton>("SpeedButton2").OnClick = [this](TComponent&) { ShowWindow("Form2"); };
  Find<TButton>("SpeedButton3").OnClick = [this](TComponent&) { ShowWindow("Form3"); };
  Find<TButton>("SpeedButton4").OnClick = [this](TComponent&) { ShowWindow("Form4"); };
  const std::pair<const char*, const char*> flags[] = {
      {"Image2", "English"}, {"Image3", "German"}, {"Image4", "Spanish"}, {"Image5", "French"}};
  for (const auto& [image, language] : flags)
    Find<TImage>(image).OnClick = [this, language](TComponent&) { SwitchLanguage(language); };
  OnClose = [this](TComponent&) { FormClose(); };
  Find<TRichHint>("RichHint1").OnShowHint = [this](std::string& hint, bool& canShow, THintInfo& info) {
    RichHint1ShowHint(hint, canShow, info);
  };
}

// The hints of the two pattern fields come from `lng` anew each time, so they follow the language.
void TForm1::RichHint1ShowHint(std::string& hint, bool&, THintInfo& info) {
  if (info.hintControl == edit1_) hint = lng_->GetText("edit1hint");
  if (info.hintControl == edit2_) hint = lng_->GetText("edit2hint");
}

void TForm1::FormCreate() {
  SetStatusIcon(TStatusIcon::Idle, TRepaint::Later);
  // The file list is the engine's, made with it. Double buffering is a measure of Windows Vista
  // and later against flicker, which the Qt widgets do not have: nothing to switch on here.
  engine_.LoadSettings(environment_);
  engine_.Edit1Change();
}

void TForm1::FormClose() {
  if (std::exchange(closed_, true)) return;
  // A failure to save cannot stop the program from ending; nothing is shown.
  static_cast<void>(engine_.SaveSettings(environment_));
}

bool TForm1::CloseQuery() {
  if (!running_) return true;
  closeWaiting_ = true;
  return false;
}

void TForm1::Edit2Change() { Fire(*this, edit1_->OnChange, *this); }

void TForm1::Button1Click() {
  if (running_) return;
  running_ = true;
  try {
    engine_.Button1Click();
  } catch (...) {
    ApplicationOf(*this)->HandleException();
  }
  running_ = false;
  // After the run's report and any error box, a close request that came meanwhile is carried out.
  if (std::exchange(closeWaiting_, false)) Close();
}

void TForm1::SpeedButton1Click() {
  if (TShell* shell = ApplicationOf(*this)->Shell()) shell->Open(ProgramFolder() + kManual);
}

void TForm1::ShowWindow(const char* name) {
  if (auto* window = dynamic_cast<TForm*>(ApplicationOf(*this)->FindComponent(name))) window->Show();
}

void TForm1::SwitchLanguage(const char* language) {
  lng_->SetLanguage(language);
  engine_.Edit1Change();
}

void TForm1::SetLabel6Caption(const std::string& caption, TRepaint repaint) {
  label6_->SetText(caption);
  if (repaint == TRepaint::Now) label6_->Repaint();
}

void TForm1::AdvanceBar() {
  bar_->StepBy(1);
  bar_->Repaint();
}

void TForm1::SetBusyCursor(bool busy) {
  if (TDialogs* dialogs = ApplicationOf(*this)->Dialogs()) dialogs->SetBusyCursor(busy);
}

void TForm1::SetStatusIcon(TStatusIcon icon, TRepaint repaint) {
  imageList1_->GetPicture(static_cast<std::size_t>(icon), image6_->Picture());
  if (repaint == TRepaint::Now) image6_->Repaint();
}

void TForm1::ProcessMessages(bool userInput) {
  if (TDialogs* dialogs = ApplicationOf(*this)->Dialogs()) dialogs->ProcessMessages(userInput);
}

bool TForm1::Closing() const { return closed_; }

TMessageAnswer TForm1::ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) {
  TDialogs* dialogs = ApplicationOf(*this)->Dialogs();
  return dialogs != nullptr ? dialogs->ShowMessageBox(kind, "", text, buttons) : TMessageAnswer::Cancel;
}

// One warning box, in the manner of the run's reports: the text, then each entry with its reason.
void TForm1::ShowScanRecords(const TScanRecords& records) {
  std::string list;
  for (const TScanRecord& record : records) list += " " + record.path + " (" + ScanReasonText(record, *this) + "),";
  list.pop_back();
  ShowMessageBox(TMessageKind::Warning, ProgramText("msgNotExamined") + list, TMessageButtons::Ok);
}

std::string TForm1::ProgramText(const std::string& key) const { return kalvero::ProgramText(Language(), key); }

}  // namespace kalvero

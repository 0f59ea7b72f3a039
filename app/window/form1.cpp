#include "app/window/form1.h"

#include <algorithm>
#include <map>
#include <utility>

#include "components/application.h"
#include "components/window_builder.h"
#include "localisation/program_texts.h"
#include "platform/application_data_folder.h"
#include "platform/ascii_text.h"
#include "platform/file_names.h"
#include "platform/program_path.h"
#include "platform/windows_version.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {
namespace {

constexpr const char* kManual = "documentation.pdf";

// The extension of the file at `path` in capitals (".CR2"); empty for a name without one, such as
// "README", "notes." or ".profile".
std::string CapitalExtension(const std::string& path) {
  const std::size_t name = path.find_last_of(kPathSeparator) + 1;
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= name || dot + 1 == path.size()) return {};
  std::string extension = path.substr(dot);
  for (char& c : extension) c = AsciiUpper(c);
  return extension;
}

}  // namespace

TForm1::TForm1(TFileSystem& fileSystem, const TClock& clock, const TEnvironment& environment)
    : engine_(*this, fileSystem, clock), clock_(clock), environment_(environment) {}

std::string TForm1::FolderPath(const std::string& text) const { return WithHomeFolder(text, environment_); }

void TForm1::Loaded() {
  TNativeForm::Loaded();
  dir_ = &DescribedComponent<TDirectoryEdit>(*this, "dir");
  dir2_ = &DescribedComponent<TDirectoryEdit>(*this, "dir2");
  edit1_ = &DescribedComponent<TEdit>(*this, "Edit1");
  edit2_ = &DescribedComponent<TEdit>(*this, "Edit2");
  cb1_ = &DescribedComponent<TCheckBox>(*this, "cb1");
  cb2_ = &DescribedComponent<TCheckBox>(*this, "cb2");
  label5_ = &DescribedComponent<TLabel>(*this, "Label5");
  label6_ = &DescribedComponent<TLabel>(*this, "Label6");
  label9_ = &DescribedComponent<TLabel>(*this, "Label9");
  bar_ = &DescribedComponent<TProgressBar>(*this, "bar");
  image6_ = &DescribedComponent<TImage>(*this, "Image6");
  imageList1_ = &DescribedComponent<TImageList>(*this, "ImageList1");
  statusBar_ = &DescribedComponent<TStatusBar>(*this, "StatusBar1");
  lng_ = &DescribedComponent<TMultilanguage>(*this, "lng");

  dir_->OnChange = [this](TComponent&) { engine_.dirChange(); };
  edit1_->OnChange = [this](TComponent&) { engine_.Edit1Change(); };
  // Edit2's change and cb2's click run the handler assigned to Edit1's change, the window as sender.
  edit2_->OnChange = [this](TComponent&) { Edit2Change(); };
  cb2_->OnClick = edit2_->OnChange;
  edit1_->OnKeyPress = [](TComponent&, char32_t& key) { key = TSortEngine::Edit1KeyPress(key); };
  edit2_->OnKeyPress = [](TComponent&, char32_t& key) { key = TSortEngine::Edit2KeyPress(key); };
  edit2_->OnExit = [this](TComponent&) { engine_.Edit2Exit(); };
  DescribedComponent<TButton>(*this, "Button1").OnClick = [this](TComponent&) { Button1Click(); };
  DescribedComponent<TButton>(*this, "Button2").OnClick = [this](TComponent&) { Close(); };
  DescribedComponent<TButton>(*this, "SpeedButton1").OnClick = [this](TComponent&) { SpeedButton1Click(); };
  DescribedComponent<TButton>(*this, "SpeedButton2").OnClick = [this](TComponent&) { ShowWindow("Form2"); };
  DescribedComponent<TButton>(*this, "SpeedButton3").OnClick = [this](TComponent&) { ShowWindow("Form3"); };
  DescribedComponent<TButton>(*this, "SpeedButton4").OnClick = [this](TComponent&) { ShowWindow("Form4"); };
  const std::pair<const char*, const char*> flags[] = {
      {"Image2", "English"}, {"Image3", "German"}, {"Image4", "Spanish"}, {"Image5", "French"}};
  for (const auto& [image, language] : flags)
    DescribedComponent<TImage>(*this, image).OnClick = [this, language](TComponent&) { SwitchLanguage(language); };
  OnClose = [this](TComponent&) { FormClose(); };
  TRichHint& richHint1 = DescribedComponent<TRichHint>(*this, "RichHint1");
  richHint1.OnShowHint = [this](std::string& hint, bool& canShow, THintInfo& info) {
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
  // Windows 6 and later paint the window and every control in it through an off-screen bitmap.
  if (RunningWindowsVersion().VistaOrLater()) SetDoubleBufferedWithin(*this, true);
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
    ProcessMessages(false);
    HandleEventException(*this);
  }
  running_ = false;
  // After the run's report and any error box, a close request that came meanwhile is carried out.
  if (std::exchange(closeWaiting_, false)) Close();
}

void TForm1::SpeedButton1Click() {
  if (TShell* shell = Application().Shell()) shell->Open(ProgramFolder() + kManual);
}

void TForm1::ShowWindow(const char* name) {
  if (auto* window = dynamic_cast<TForm*>(Application().FindComponent(name))) window->Show();
}

void TForm1::SwitchLanguage(const char* language) {
  lng_->SetLanguage(language);
  engine_.Edit1Change();
}

void TForm1::SetLabel6Caption(const std::string& caption, TRepaint repaint) {
  label6_->SetText(caption);
  if (repaint == TRepaint::Now) RepaintProgress(false);
}

void TForm1::AdvanceBar() {
  bar_->StepBy(1);
  RepaintProgress(false);
}

// A run moves the count and the bar once a picture, thousands of times a second: drawing each
// step would cost the run more than its copies. They are drawn at most once a frame, and at once
// whenever the run shows something else (a new status icon, a box), so a person sees the same.
void TForm1::RepaintProgress(bool now) {
  const std::int64_t time = clock_.SteadyMilliseconds();
  if (!now && progressDrawn_ && time - *progressDrawn_ < kFrameMilliseconds) {
    progressWaiting_ = true;
    return;
  }
  if (!now || progressWaiting_) {
    label6_->Repaint();
    bar_->Repaint();
  }
  progressDrawn_ = time;
  progressWaiting_ = false;
}

void TForm1::SetBusyCursor(bool busy) {
  if (TDialogs* dialogs = Application().Dialogs()) dialogs->SetBusyCursor(busy);
}

void TForm1::SetStatusIcon(TStatusIcon icon, TRepaint repaint) {
  imageList1_->GetPicture(static_cast<std::size_t>(icon), image6_->Picture());
  if (repaint == TRepaint::Now) {
    RepaintProgress(true);
    image6_->Repaint();
  }
}

void TForm1::ProcessMessages(bool userInput) {
  if (TDialogs* dialogs = Application().Dialogs()) dialogs->ProcessMessages(userInput);
}

bool TForm1::Closing() const { return closed_; }

TApplication& TForm1::Application() const {
  TApplication* application = ApplicationOf(*this);
  if (application == nullptr) throw EComponentError("The main window belongs to no application");
  return *application;
}

TMessageAnswer TForm1::ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) {
  TDialogs* dialogs = Application().Dialogs();
  // A close request that came since the run last let messages through is taken in now: the modal
  // box would block the window and so discard it.
  if (running_ && dialogs != nullptr) dialogs->ProcessMessages(false);
  RepaintProgress(true);
  return dialogs != nullptr ? dialogs->ShowMessageBox(kind, "", text, buttons) : TMessageAnswer::Cancel;
}

// One warning box, in the manner of the run's reports: the text, then each entry with its reason.
void TForm1::ShowScanRecords(const TScanRecords& records) {
  std::string list;
  for (const TScanRecord& record : records) list += " " + record.path + " (" + ScanReasonText(record, *this) + "),";
  list.pop_back();
  ShowMessageBox(TMessageKind::Warning, ProgramText("msgNotExamined") + list, TMessageButtons::Ok);
}

// One information box: the count, the counts by extension, then a path a line.
void TForm1::ShowOtherFiles(const std::vector<std::string>& paths) {
  std::map<std::string, std::size_t> counts;
  for (const std::string& path : paths) ++counts[CapitalExtension(path)];
  std::vector<std::pair<std::string, std::size_t>> byCount(counts.begin(), counts.end());
  // Most first; among equal counts the extensions in order, then the files without one.
  std::ranges::stable_sort(byCount, [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : !a.first.empty() && b.first.empty();
  });
  std::string text = std::to_string(paths.size()) + ProgramText(paths.size() == 1 ? "msgOtherFile" : "msgOtherFiles");
  const char* separator = "";
  for (const auto& [extension, count] : byCount) {
    text += separator + std::to_string(count) + " " + (extension.empty() ? ProgramText("otherNoExtension") : extension);
    separator = ", ";
  }
  text += "):";
  for (const std::string& path : paths) text += "\r\n" + path;
  ShowMessageBox(TMessageKind::Information, text, TMessageButtons::Ok);
}

std::string TForm1::ProgramText(const std::string& key) const { return kalvero::ProgramText(Language(), key); }

}  // namespace kalvero

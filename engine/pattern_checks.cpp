#include "engine/name_patterns.h"
#include "engine/sort_engine.h"
#include "platform/file_names.h"

namespace kalvero {

void TSortEngine::Edit1Change() {
  host_.SetLabel9Caption(
      NamePreview(host_.Edit1Text(), host_.Edit2Text(), host_.Cb2Checked(), host_.Label5Caption()));
}

char32_t TSortEngine::Edit1KeyPress(char32_t key) { return FilterPatternKey(key); }
char32_t TSortEngine::Edit2KeyPress(char32_t key) { return FilterPatternKey(key); }

bool TSortEngine::CheckInput(const std::string& filePattern) {
  const bool numbered = ContainsToken(filePattern, "FFF");
  const bool timed = ContainsAllTokens(filePattern, {"HH", "NN", "SS"});
  const bool dateFolders = host_.Cb2Checked();

  if (!numbered && !timed) {
    ShowError(TwoLines("msgError1/1", "msgError1/2"));
    return false;
  }
  if (numbered && timed) {
    ShowError(TwoLines("msgError2/1", "msgError2/2"));
    return false;
  }
  if (numbered && dateFolders) {
    ShowError(TwoLines("msgError3/1", "msgError3/2"));
    return false;
  }
  if (!CheckSampleName(BuildTimesInString(filePattern, kSampleDateText), ".jpg")) return false;
  if (dateFolders)
    for (const std::string& level : DateFolderLevels(host_.Edit2Text(), kSampleDateText, choices_.nestedFolders))
      if (!CheckSampleName(level, "")) return false;
  if (host_.DirText().empty() || host_.Dir2Text().empty()) {
    ShowError(host_.GetText("msgErrorPath"));
    return false;
  }
  if (host_.Label5Caption() == "0") {
    ShowError(host_.GetText("msgErrorNoPics"));
    // Pictures may be missing only because the scan could not read where they are.
    if (!scanRecords_->empty()) host_.ShowScanRecords(*scanRecords_);
    return false;
  }
  if (dateFolders || numbered) return true;
  // Names by time alone: without the full date, pictures of different days can clash.
  if (ContainsAllTokens(filePattern, {"DD", "MM", "YYYY"})) return true;
  return host_.ShowMessageBox(TMessageKind::Warning, TwoLines("msgOverwrite1/2", "msgOverwrite2/2"),
                              TMessageButtons::YesCancel) == TMessageAnswer::Yes;
}

bool TSortEngine::CheckSampleName(const std::string& name, std::string_view extension) {
  // The number a numbered run gives its first picture, as wide as the preview's.
  const std::string sample = ReplaceToken(name, "FFF", FormatSequenceNumber(1, std::nullopt)).append(extension);
  if (!IsRefusedName(sample)) return true;
  ShowError(host_.ProgramText("msgRefusedPattern") + host_.ShownPath(sample));
  return false;
}

void TSortEngine::Edit2Exit() {
  if (ContainsAllTokens(host_.Edit2Text(), {"DD", "MM", "YYYY"})) return;
  ShowError(host_.GetText("msgParams"));
  host_.FocusEdit2();
}

std::string TSortEngine::FormatSequenceNumber(std::size_t n, std::optional<std::size_t> width) const {
  return kalvero::FormatSequenceNumber(n, width ? *width : host_.Label5Caption().size());
}

bool TSortEngine::correctdate(const std::string& dateText) const {
  return kalvero::correctdate(dateText, clock_);
}

void TSortEngine::ShowError(const std::string& text) { ShowBox(TMessageKind::Error, text); }

void TSortEngine::ShowBox(TMessageKind kind, const std::string& text) {
  host_.ShowMessageBox(kind, text, TMessageButtons::Ok);
}

std::string TSortEngine::TwoLines(const std::string& firstKey, const std::string& secondKey) const {
  return host_.GetText(firstKey) + "\r\n" + host_.GetText(secondKey);
}

}  // namespace kalvero

#include "app/cli/console_host.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "engine/name_patterns.h"
#include "localisation/program_texts.h"
#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

std::string ConsoleLines(const std::string& text) { return ReplaceToken(text, "\r\n", "\n"); }

}  // namespace

TConsoleHost::TConsoleHost(const std::string& language, bool answerYes)
    : lng_(window_.CreateComponent<TMultilanguage>("lng")),
      answerYes_(answerYes),
      progressOnTerminal_(::isatty(STDERR_FILENO) == 1) {
  lng_.SetScript(MainWindowScript());
  lng_.SetLanguage(language);
}

void TConsoleHost::SetStatusText(const std::string& text) {
  ClearProgress();
  std::cout << ConsoleLines(text) << std::endl;
}

TMessageAnswer TConsoleHost::ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) {
  ClearProgress();
  const bool problem = kind == TMessageKind::Error || kind == TMessageKind::Warning;
  std::ostream& out = problem ? std::cerr : std::cout;
  out << MessageCaption(kind) << ": " << ConsoleLines(text) << std::endl;
  return buttons == TMessageButtons::YesCancel ? Ask() : TMessageAnswer::Ok;
}

// One line each on standard error: the path, a colon and the reason.
void TConsoleHost::ShowScanRecords(const TScanRecords& records) {
  ClearProgress();
  for (const TScanRecord& record : records) std::cerr << record.path << ": " << ScanReasonText(record, *this) << '\n';
  std::cerr.flush();
}

std::string TConsoleHost::ProgramText(const std::string& key) const { return kalvero::ProgramText(Language(), key); }

TMessageAnswer TConsoleHost::Ask() {
  if (answerYes_) {
    std::cerr << "(--yes: Yes)" << std::endl;
    return TMessageAnswer::Yes;
  }
  if (::isatty(STDIN_FILENO) != 1) {
    std::cerr << "(no terminal to answer; Cancel. Give --yes to go on.)" << std::endl;
    return TMessageAnswer::Cancel;
  }
  std::cerr << "Yes or Cancel? [y/N] " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return answer == "y" || answer == "Y" || answer == "yes" ? TMessageAnswer::Yes : TMessageAnswer::Cancel;
}

void TConsoleHost::SetBarPosition(int position) {
  barPosition_ = position;
  if (position == 0) ClearProgress();
}

void TConsoleHost::AdvanceBar() {
  ++barPosition_;
  DrawProgress();
}

void TConsoleHost::DrawProgress() {
  if (!progressOnTerminal_) return;
  std::fprintf(stderr, "\r%d of %d", barPosition_, barMax_);
  std::fflush(stderr);
  progressShown_ = true;
}

void TConsoleHost::ClearProgress() {
  if (!progressShown_) return;
  std::fputs("\r\x1b[K", stderr);
  progressShown_ = false;
}

}  // namespace kalvero

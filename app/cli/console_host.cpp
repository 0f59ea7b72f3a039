#include "app/cli/console_host.h"

#include <iostream>

#include "app/cli/escaped_text.h"
#include "engine/name_patterns.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "localisation/program_texts.h"
#include "localisation/window_scripts.h"

namespace kalvero {
namespace {

std::string ConsoleLines(const std::string& text) { return ReplaceToken(text, "\r\n", "\n"); }

// Why a picture was not copied, as --verbose and a dry run say it.
std::string ReasonPhrase(const TPictureAccount& account) {
  const std::string_view phrase = WordsOf(account.reason).phrase;
  return phrase.empty() ? account.error.message() : std::string(phrase);
}

// The key of the label before a message of `kind` in the program's own texts.
const char* LabelKey(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return "labelWarning";
    case TMessageKind::Error: return "labelError";
    case TMessageKind::Information: return "labelInformation";
    case TMessageKind::Confirmation: return "labelConfirmation";
  }
  return "labelError";
}

}  // namespace

TConsoleHost::TConsoleHost(const std::string& language, const TConsoleMode& mode)
    : lng_(window_.CreateComponent<TMultilanguage>("lng")),
      mode_(mode),
      progressOnTerminal_(IsTerminal(TStandardStream::Error) && !mode.dryRun) {
  lng_.SetScript(MainWindowScript());
  lng_.SetLanguage(language);
}

void TConsoleHost::SetStatusText(const std::string& text) {
  // The status area shows no change when its text is set again unchanged; neither does the output.
  if (mode_.dryRun || text == statusText_) return;
  statusText_ = text;
  ClearProgress();
  std::cout << ConsoleLines(text) << std::endl;
}

bool TConsoleHost::PictureDone(const TPictureAccount& account) {
  // What the journal does not hold did not happen, as far as the counts and the plan tell.
  if (mode_.journal != nullptr && !mode_.journal->Picture(account)) return false;
  switch (account.outcome) {
    case TPictureOutcome::Copied: ++counts_.copied; break;
    case TPictureOutcome::NotCopied: ++counts_.notCopied; break;
    case TPictureOutcome::Undated: ++counts_.undated; break;
    case TPictureOutcome::Other: ++counts_.others; break;
    case TPictureOutcome::AlreadyThere: ++counts_.alreadyThere; break;
  }
  const bool copied = account.outcome == TPictureOutcome::Copied;
  const std::string target = Escaped(dir2_ + kPathSeparator + account.target);
  // A copy made without a usable date, or named by its file's time, says so with its path.
  const bool noted = copied && account.reason != TPictureReason::None;
  const std::string outcome = account.outcome == TPictureOutcome::AlreadyThere ? "already there: " + target
                              : noted                                         ? ReasonPhrase(account) + ": " + target
                                                                              : ReasonPhrase(account);
  if (mode_.dryRun) {
    ClearProgress();
    std::cout << Escaped(account.source) << '\t' << (copied ? target : outcome) << '\n';
  } else if (mode_.verbose && (!copied || noted)) {
    ClearProgress();
    std::cerr << Escaped(account.source) << ": " << outcome << '\n';
  }
  return true;
}

bool TConsoleHost::FolderMade(const std::string& folder, bool belowTarget, const TFileIdentity& identity) {
  return mode_.journal == nullptr || mode_.journal->FolderMade(folder, belowTarget, identity);
}

std::string TConsoleHost::ShownPath(const std::string& path) const { return Escaped(path); }

std::string TConsoleHost::Summary() const {
  return "copied " + std::to_string(counts_.copied) + ", not copied " + std::to_string(counts_.notCopied) +
         ", without a usable date " + std::to_string(counts_.undated) + ", not examined " +
         std::to_string(counts_.notExamined) + ", other files " + std::to_string(counts_.others) +
         (mode_.alreadyThere ? ", already there " + std::to_string(counts_.alreadyThere) : "");
}

TMessageAnswer TConsoleHost::ShowMessageBox(TMessageKind kind, const std::string& text, TMessageButtons buttons) {
  // A dry run's plan names each picture itself, and the target it would make: the boxes of the
  // copying and the news of a new target are left out. Refusals and questions show as in a run.
  const bool planShowsIt = busy_ || kind == TMessageKind::Information;
  if (mode_.dryRun && buttons == TMessageButtons::Ok && planShowsIt) return TMessageAnswer::Ok;
  ClearProgress();
  const bool problem = kind == TMessageKind::Error || kind == TMessageKind::Warning;
  std::ostream& out = problem ? std::cerr : std::cout;
  out << ProgramText(LabelKey(kind)) << ConsoleLines(text) << std::endl;
  return buttons == TMessageButtons::YesCancel ? Ask() : TMessageAnswer::Ok;
}

// One line each on standard error: the path, a colon and the reason.
void TConsoleHost::ShowScanRecords(const TScanRecords& records) {
  ClearProgress();
  counts_.notExamined = static_cast<int>(records.size());
  for (const TScanRecord& record : records) {
    std::cerr << Escaped(record.path) << ": " << ScanReasonText(record, *this) << '\n';
    if (mode_.journal != nullptr) mode_.journal->NotExamined(record);
  }
  std::cerr.flush();
}

// Accounted as files of no type the run takes: counted, named by --verbose and a dry run, journaled.
void TConsoleHost::ShowOtherFiles(const std::vector<std::string>& paths) {
  const TPictureReason reason = mode_.jpegOnly ? TPictureReason::NotAJpeg : TPictureReason::NotOfTheTypes;
  for (const std::string& path : paths)
    if (!PictureDone({path, {}, TPictureOutcome::Other, reason, {}, {}, {}})) break;
  std::cerr.flush();
}

std::string TConsoleHost::ProgramText(const std::string& key) const { return kalvero::ProgramText(Language(), key); }

TMessageAnswer TConsoleHost::Ask() {
  if (mode_.answerYes) {
    std::cerr << "(--yes: Yes)" << std::endl;
    return TMessageAnswer::Yes;
  }
  if (!IsTerminal(TStandardStream::Input)) {
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
  std::cerr << '\r' << barPosition_ << " of " << barMax_ << std::flush;
  progressShown_ = true;
}

void TConsoleHost::ClearProgress() {
  if (!progressShown_) return;
  std::cerr << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

}  // namespace kalvero

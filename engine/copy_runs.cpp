#include <algorithm>
#include <cstdio>
#include <exception>

#include "engine/error_text.h"
#include "engine/exif_date.h"
#include "engine/file_types.h"
#include "engine/name_patterns.h"
#include "engine/sort_engine.h"
#include "platform/clock.h"
#include "platform/file_names.h"
#include "platform/folder_chain.h"
#include "platform/interrupt_hold.h"

namespace kalvero {
namespace {

// Sets a flag for the life of the object.
class TFlagSetter {
 public:
  explicit TFlagSetter(bool& flag) : flag_(flag) { flag_ = true; }
  TFlagSetter(const TFlagSetter&) = delete;
  TFlagSetter& operator=(const TFlagSetter&) = delete;
  ~TFlagSetter() { flag_ = false; }

 private:
  bool& flag_;
};

// The busy cursor for the life of the object; afterwards the default cursor and `bar` at 0.
class TBusyRun {
 public:
  explicit TBusyRun(TEngineHost& host) : host_(host) { host_.SetBusyCursor(true); }
  TBusyRun(const TBusyRun&) = delete;
  TBusyRun& operator=(const TBusyRun&) = delete;
  ~TBusyRun() {
    host_.SetBusyCursor(false);
    host_.SetBarPosition(0);
  }

 private:
  TEngineHost& host_;
};

std::string Append(const std::string& folder, const std::string& name) { return folder + kPathSeparator + name; }

// The levels of the date folder `folder` below the target: its names where the run nests its date
// folders, else the one name.
std::vector<std::string> LevelsOf(const std::string& folder, bool nested) {
  return nested ? PathNames(folder) : std::vector<std::string>{folder};
}

// Why taking back an entry left it in the target; empty when it is gone.
std::string LeftBecause(const TRemoval& removal) {
  switch (removal.verdict) {
    case TRemovalVerdict::Removed:
    case TRemovalVerdict::Gone: return {};
    case TRemovalVerdict::Failed: return removal.error.message();
    case TRemovalVerdict::Changed:
    case TRemovalVerdict::NotRegularFile:
    case TRemovalVerdict::BytesDiffer:
    case TRemovalVerdict::FolderReplaced: break;
  }
  return "it changed meanwhile";
}

// How often a run lets the window repaint and answer the desktop.
constexpr std::int64_t kRunMessageInterval = 100;  // milliseconds

}  // namespace

std::optional<TRunSummary> TSortEngine::Button1Click() {
  if (running_) return std::nullopt;
  const TFlagSetter running(running_);

  TRun run;
  run.filePattern = host_.Edit1Text();
  if (!CheckInput(run.filePattern)) return std::nullopt;
  run.folderPattern = host_.Edit2Text();
  run.choices = choices_;
  run.target = host_.FolderPath(host_.Dir2Text());
  const bool dateFolders = host_.Cb2Checked();

  if (!fileSystem_.FolderExists(run.target)) {
    ShowBox(TMessageKind::Information, host_.GetText("msgFolderExists1/3") + host_.ShownPath(run.target) +
                                           host_.GetText("msgFolderExists2/3") + "\r\n" +
                                           host_.GetText("msgFolderExists3/3"));
    std::vector<TMadeFolder> made;
    CreateFolderChain(fileSystem_, run.target, &made);
    for (std::size_t kept = 0; kept < made.size(); ++kept) {
      if (host_.FolderMade(made[kept].path, false, made[kept].identity)) continue;
      // The folders no account names go again, innermost first; undo takes back the others.
      for (std::size_t folder = made.size(); folder-- > kept;)
        if (const std::string left = LeftBecause(
                fileSystem_.RemoveEmptyFolder(made[folder].path, made[folder].identity, false, 0));
            !left.empty())
          throw ERecordingFailed(host_.ShownPath(made[folder].path), left);
      throw ERecordingFailed({}, {});
    }
  }

  // A run's scan always completes.
  const TScan scan = *Scan(TScanKind::Run);
  run.files = scan.files;
  run.records = *scan.records;
  run.others = scan.others;
  run.summary.notExamined = static_cast<int>(scan.records->size());
  run.summary.others = static_cast<int>(scan.others->size());
  run.numberWidth = std::to_string(run.files->size()).size();
  // Everything below the target goes through this one handle, so a link inside it is never followed.
  run.targetFolder = fileSystem_.OpenTargetFolder(run.target, run.targetError);

  const TBusyRun busy(host_);
  // A run that stops still reports what it met before; the stop is shown after that.
  std::exception_ptr stop;
  try {
    if (dateFolders)
      CopyFolderFiles(run);
    else
      CopyFiles(run, !ContainsToken(run.filePattern, "FFF"));
  } catch (const ERunError&) {
    stop = std::current_exception();
  }
  Finish(run, stop);
  return run.summary;
}

void TSortEngine::BeginCopying(TRun& run) {
  host_.ProcessMessages(true);
  run.pace.emplace(host_, clock_, kRunMessageInterval, false);
}

void TSortEngine::CopyFiles(TRun& run, bool byTime) {
  BeginCopying(run);
  host_.SetStatusIcon(TStatusIcon::Copying, TRepaint::Now);
  host_.SetStatusText(host_.GetText("filesCopy"));

  // A numbered pattern without date tokens needs no metadata at all.
  const bool readsDates = byTime || ContainsToken(run.filePattern, "YYYY") ||
                          ContainsToken(run.filePattern, "DD") || ContainsToken(run.filePattern, "MM");
  for (std::size_t index = 0; index < run.files->size(); ++index) {
    run.pace->Step();
    const std::string& path = (*run.files)[index];
    std::string name = run.filePattern;
    TRunDate date;
    if (readsDates) {
      date = UsableDate(run, path);
      if (date.text.empty()) {
        CopyUndated(run, path, date);
        continue;
      }
      name = BuildTimesInString(run.filePattern, date.text);
    } else if (FileTypeOf(path) != TFileType::Jpeg && ListUnfit(run, path, RunDate(run, path))) {
      // A file that claims a kind it does not fit is never copied as one.
      continue;
    }
    if (!byTime) name = ReplaceToken(name, "FFF", FormatSequenceNumber(index, run.numberWidth));
    CopyPicture(run, path, date.text, std::nullopt, name, CopyExtension(path),
                date.byFileTime ? TPictureReason::DatedByFileTime : TPictureReason::None);
  }
}

void TSortEngine::CopyFolderFiles(TRun& run) {
  BeginCopying(run);
  host_.SetStatusIcon(TStatusIcon::CreatingFolders, TRepaint::Now);
  host_.SetStatusText(host_.GetText("createFolderStruct"));
  CreateDateFolders(run);

  run.summary.copied = 0;
  host_.SetBarPosition(0);
  host_.SetStatusIcon(TStatusIcon::Copying, TRepaint::Now);
  host_.SetStatusText(host_.GetText("filesCopy"));
  CopyIntoDateFolders(run);
}

void TSortEngine::CreateDateFolders(TRun& run) {
  // Most pictures share their date with the one before; a folder seen once is not asked for again.
  std::set<std::string> present;
  std::vector<std::string> undated;
  TScanRecords unfit;
  try {
    for (const std::string& path : *run.files) {
      run.pace->Step();
      const TRunDate date = RunDate(run, path);
      if (!date.unfit.empty()) unfit.push_back({path, {}, false, date.unfit});
      if (date.text.empty()) {
        if (date.unfit.empty()) undated.push_back(path);
        continue;
      }
      const std::vector<std::string> levels =
          DateFolderLevels(run.folderPattern, date.text, run.choices.nestedFolders);
      if (present.insert(DateFolderPath(levels)).second) MakeDateFolder(run, levels);
      host_.AdvanceBar();
    }
    // The folder of the pictures without a usable date is made with the date folders.
    if (!undated.empty() && run.choices.undated == TUndatedChoice::Folder) {
      MakeDateFolder(run, {run.choices.undatedFolder});
      run.undatedFolderMade = true;
    }
  } catch (const ERunError&) {
    // Pass 2, which lists them otherwise, never comes. The stop is what the run shows; a host that
    // cannot keep these accounts says so itself.
    for (const std::string& path : undated) static_cast<void>(ListUndated(run, path));
    run.records.insert(run.records.end(), unfit.begin(), unfit.end());
    run.summary.notExamined += static_cast<int>(unfit.size());
    throw;
  }
}

void TSortEngine::MakeDateFolder(TRun& run, const std::vector<std::string>& levels) {
  // Level by level, outermost first; a level already there is not the run's, and undo keeps it.
  std::string name;
  for (const std::string& level : levels) {
    name = name.empty() ? level : Append(name, level);
    const std::string folder = Append(run.target, name);
    if (!IsSinglePathComponent(level)) throw CannotCreateFolder(folder, host_.ProgramText("reasonNoSingleName"));
    if (IsRefusedName(level)) throw CannotCreateFolder(folder, host_.ProgramText("reasonRefusedName"));
    std::optional<TFileIdentity> made;
    const std::error_code error = run.targetFolder ? run.targetFolder->MakeFolder(name, &made) : run.targetError;
    if (error) throw CannotCreateFolder(folder, SystemErrorText(error, host_));
    if (made && !host_.FolderMade(name, true, *made)) {
      const std::string left = LeftBecause(run.targetFolder->RemoveFolder(name, *made, false, 0));
      throw ERecordingFailed(left.empty() ? "" : host_.ShownPath(folder), left);
    }
  }
}

ERunError TSortEngine::CannotCreateFolder(const std::string& folder, const std::string& reason) const {
  return ERunError(host_.ProgramText("msgCannotCreateFolder1/2") + host_.ShownPath(folder) +
                   host_.ProgramText("msgCannotCreateFolder2/2") + reason);
}

void TSortEngine::CopyIntoDateFolders(TRun& run) {
  for (const std::string& path : *run.files) {
    run.pace->Step();
    const TRunDate date = UsableDate(run, path);
    if (date.text.empty()) {
      CopyUndated(run, path, date);
      continue;
    }
    CopyPicture(run, path, date.text,
                DateFolderPath(DateFolderLevels(run.folderPattern, date.text, run.choices.nestedFolders)),
                BuildTimesInString(run.filePattern, date.text), CopyExtension(path),
                date.byFileTime ? TPictureReason::DatedByFileTime : TPictureReason::None);
  }
}

TSortEngine::TRunDate TSortEngine::RunDate(const TRun& run, const std::string& path) const {
  TMediaDate content = ReadCaptureDate(fileSystem_, path);
  if (!content.unfitReason.empty()) return {{}, false, std::move(content.unfitReason)};
  if (correctdate(content.dateText)) return {std::move(content.dateText), false, {}};
  if (run.choices.undated != TUndatedChoice::FileTime) return {};
  std::error_code error;
  const auto file = fileSystem_.OpenRead(path, error);
  if (!file) return {};
  // Whole seconds, rounded down also before 1970.
  const std::int64_t nanoseconds = file->Facts().lastWriteNanoseconds;
  const std::int64_t seconds = nanoseconds / 1'000'000'000 - (nanoseconds % 1'000'000'000 < 0 ? 1 : 0);
  const TLocalDateTime time = LocalDateTime(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  if (!correctdate(text)) return {};
  return {text, true, {}};
}

bool TSortEngine::ListUnfit(TRun& run, const std::string& path, const TRunDate& date) const {
  if (date.unfit.empty()) return false;
  run.records.push_back({path, {}, false, date.unfit});
  ++run.summary.notExamined;
  return true;
}

TSortEngine::TRunDate TSortEngine::UsableDate(TRun& run, const std::string& path) const {
  TRunDate date = RunDate(run, path);
  if (ListUnfit(run, path, date) || !date.text.empty() || run.choices.undated == TUndatedChoice::Folder) return date;
  if (!ListUndated(run, path)) throw ERecordingFailed({}, {});
  return date;
}

void TSortEngine::CopyUndated(TRun& run, const std::string& path, const TRunDate& date) {
  if (!date.unfit.empty() || run.choices.undated != TUndatedChoice::Folder) return;
  if (!run.undatedFolderMade) {
    MakeDateFolder(run, {run.choices.undatedFolder});
    run.undatedFolderMade = true;
  }
  const std::string_view name = SplitLastName(path).second;
  const std::size_t dot = name.rfind('.');
  const std::size_t stem = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
  CopyPicture(run, path, {}, run.choices.undatedFolder, std::string(name.substr(0, stem)), name.substr(stem),
              TPictureReason::NoUsableDate);
}

bool TSortEngine::ListUndated(TRun& run, const std::string& path) const {
  TPictureAccount account{path, {}, TPictureOutcome::Undated, TPictureReason::NoUsableDate, {}, {}, {}};
  // A picture that cannot even be opened is told apart from one without a date; it costs an open
  // only for the few without one.
  if (std::error_code error; !fileSystem_.OpenRead(path, error)) {
    account.reason = TPictureReason::Unreadable;
    account.error = error;
  }
  if (!host_.PictureDone(account)) return false;
  run.noDateList += " " + host_.ShownPath(path) + ",";
  ++run.summary.undated;
  return true;
}

void TSortEngine::CopyPicture(TRun& run, const std::string& source, const std::string& date,
                              const std::optional<std::string>& folderName, const std::string& name,
                              std::string_view extension, TPictureReason note) {
  const std::string fileName = name + std::string(extension);
  // The empty folder name is the target folder itself.
  const std::string folder = folderName.value_or("");
  TPictureAccount account{source, folder.empty() ? fileName : folder + kPathSeparator + fileName,
                          TPictureOutcome::Copied, TPictureReason::None, {}, {}, date};
  // An interruption once the copy is named waits until its account is written: no copy goes
  // unrecorded.
  const TInterruptHold hold;
  // A name made from a hostile date text must not lead out of the target; such a copy fails.
  const std::vector<std::string> levels = LevelsOf(folder, run.choices.nestedFolders);
  if (!IsSinglePathComponent(fileName) || (!folder.empty() && !std::ranges::all_of(levels, IsSinglePathComponent)))
    account.reason = TPictureReason::NoSingleName;
  else if (IsRefusedName(fileName) || std::ranges::any_of(levels, IsRefusedName))
    account.reason = TPictureReason::RefusedName;
  else if (!run.targetFolder)
    account.error = run.targetError;
  else
    account.error = CopyOrFindCopy(run, source, folder, name, extension, account);
  if (account.error) account.reason = CopyFailureReason(account.error);
  if (account.reason != TPictureReason::None) account.outcome = TPictureOutcome::NotCopied;
  else if (account.outcome == TPictureOutcome::Copied) account.reason = note;
  host_.AdvanceBar();
  if (!host_.PictureDone(account)) {
    // A copy that no account names goes again, so that undo can take back everything the run left.
    const std::string copyName = account.target.substr(folder.empty() ? 0 : folder.size() + 1);
    const std::string left = account.outcome == TPictureOutcome::Copied
                                 ? LeftBecause(run.targetFolder->RemoveCopy(folder, copyName, account.copy, source, false))
                                 : "";
    throw ERecordingFailed(left.empty() ? "" : host_.ShownPath(Append(run.target, account.target)), left);
  }
  if (account.outcome == TPictureOutcome::NotCopied) {
    run.failedList += " " + host_.ShownPath(source) + ",";
    ++run.summary.failed;
  } else if (account.outcome == TPictureOutcome::AlreadyThere) {
    ++run.summary.alreadyThere;
  } else {
    host_.SetLabel6Caption(std::to_string(++run.summary.copied), TRepaint::Now);
  }
}

std::error_code TSortEngine::CopyOrFindCopy(TRun& run, const std::string& source, const std::string& folder,
                                            const std::string& name, std::string_view extension,
                                            TPictureAccount& account) {
  const auto named = [&](const std::string& fileName) {
    account.target = folder.empty() ? fileName : folder + kPathSeparator + fileName;
    return fileName;
  };
  std::string fileName = named(name + std::string(extension));
  std::error_code error = run.targetFolder->CopyInto(source, folder, fileName, &account.copy);
  // A numbered name goes no further than this; a folder holding that many is taken as full.
  constexpr int kLastNumber = 9999;
  for (int number = 2; error == std::errc::file_exists && run.choices.onClash != TClashChoice::Fail; ++number) {
    if (run.targetFolder->HoldsSameBytes(folder, fileName, source)) {
      account.outcome = TPictureOutcome::AlreadyThere;
      account.copy = {};
      return {};
    }
    if (run.choices.onClash != TClashChoice::Number || number > kLastNumber) break;
    fileName = named(name + " (" + std::to_string(number) + ")" + std::string(extension));
    error = run.targetFolder->CopyInto(source, folder, fileName, &account.copy);
  }
  return error;
}

void TSortEngine::Finish(TRun& run, const std::exception_ptr& stop) {
  // People remove the card once the count is shown: the copies must be on it by then. Each copy
  // started its own write-back, so this is short.
  std::error_code flushError;
  const bool flush = run.summary.copied > 0 && run.targetFolder;
  if (flush) {
    host_.SetStatusText(host_.ProgramText("flushing"));
    flushError = run.targetFolder->Flush();
  }
  Report(run, flush, flushError);
  if (!run.records.empty()) host_.ShowScanRecords(run.records);
  if (!run.others->empty()) host_.ShowOtherFiles(*run.others);
  // A stop is the first thing that went wrong; the status text still tells a failed flush.
  if (stop) std::rethrow_exception(stop);
  if (flushError) throw ERunError(host_.ProgramText("msgFlushFailed") + SystemErrorText(flushError, host_));
}

void TSortEngine::Report(TRun& run, bool flushed, const std::error_code& flushError) {
  host_.SetStatusIcon(TStatusIcon::Idle, TRepaint::Now);
  if (flushError)
    host_.SetStatusText(host_.ProgramText("flushFailed"));
  else if (run.failedList.empty())
    host_.SetStatusText(std::to_string(run.summary.copied) + host_.GetText("filesCopied"));
  else if (flushed)
    host_.SetStatusText(host_.GetText("filesCopy"));
  if (!run.failedList.empty()) {
    run.failedList.pop_back();
    ShowBox(TMessageKind::Error, host_.GetText("msgCannotCopy") + run.failedList);
  }
  if (!run.noDateList.empty()) {
    run.noDateList.pop_back();
    ShowBox(TMessageKind::Warning, host_.GetText("msgNoExif") + run.noDateList);
  }
}

}  // namespace kalvero

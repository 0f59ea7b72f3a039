#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "app/cli/commands.h"
#include "app/cli/console_host.h"
#include "app/cli/escaped_text.h"
#include "app/cli/sort_options.h"
#include "engine/sort_engine.h"
#include "platform/application_data_folder.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/name_limit.h"
#include "platform/planning_file_system.h"

namespace kalvero {
namespace {

// The current local time with its offset from UTC, as ISO 8601 writes it ("2004-08-07T16:45:33+0200").
std::string LocalTime() {
  const TLocalDateTime now = SystemClock().Now();
  const int offsetMinutes = std::abs(now.utcOffsetSeconds) / 60;
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d%02d", now.year, now.month, now.day, now.hour,
                now.minute, now.second, now.utcOffsetSeconds < 0 ? '-' : '+', offsetMinutes / 60, offsetMinutes % 60);
  return text;
}

// The longest names the run can make, with FFF as wide as the count of pictures found, against
// what the target's file system takes; answers why not, or the empty text.
std::string CheckNameLengths(const TSortOptions& options, std::size_t pictures) {
  const auto limit = NameLengthLimit(options.target);
  if (!limit) return {};
  const std::string file = SampleFileName(options, std::to_string(pictures).size());
  const auto tooLong = [&](const TOptionValue& pattern, const std::string& name) {
    return Escaped(pattern.origin) + ": the names it makes are " + std::to_string(name.size()) +
           " bytes long; the file system of the target takes at most " + std::to_string(*limit);
  };
  if (static_cast<long>(file.size()) > *limit) return tooLong(options.filePattern, file);
  if (options.dateFolders)
    for (const std::string& level : SampleFolderLevels(options))
      if (static_cast<long>(level.size()) > *limit) return tooLong(options.folderPattern, level);
  return {};
}

// Says why the journal could not be written; answers the exit status of a stopped run.
int JournalFailed(const TJournalWriter& journal) {
  std::cerr << "kalvero: the journal could not be written: " << journal.Error().message() << std::endl;
  return kExitStopped;
}

// The journal's header; the target's identity is none when the run has to make it.
TJournalHeader HeaderOf(const TSortOptions& options) {
  return {LocalTime(),
          options.target,
          NativeFileSystem().FolderIdentity(options.target).value_or(TFileIdentity{}),
          options.source,
          options.filePattern.value,
          options.folderPattern.value,
          options.dateFolders,
          options.subfolders,
          options.dryRun,
          options.choices.onClash,
          options.choices.undated,
          options.choices.undatedFolder,
          options.choices.types};
}

int Run(const TSortOptions& options, TJournalWriter* journal) {
  TConsoleHost host(options.language.value,
                    {options.answerYes, options.verbose, options.dryRun, options.choices.onClash != TClashChoice::Fail,
                     options.choices.types.JpegOnly(), journal});
  host.SetDir2Text(options.target);
  host.SetEdit1Text(options.filePattern.value);
  host.SetEdit2Text(options.folderPattern.value);
  host.SetCb1Checked(options.subfolders);
  host.SetCb2Checked(options.dateFolders);
  TPlanningFileSystem planning(NativeFileSystem());
  TFileSystem& fileSystem = options.dryRun ? static_cast<TFileSystem&>(planning) : NativeFileSystem();
  TSortEngine engine(host, fileSystem, SystemClock());
  engine.SetRunChoices(options.choices);
  int status = kExitStopped;
  std::string stop;  // the error that stopped the run, shown after the summary of what it met
  try {
    // As in the window: entering the source folder scans it, then the button starts the run.
    engine.SetSourceFolder(options.source);
    if (const std::string problem = CheckNameLengths(options, engine.FileList().size()); !problem.empty())
      return UsageError(problem);
    const auto summary = engine.Button1Click();
    if (!summary) return kExitRefused;
    status = summary->failed > 0 || summary->undated > 0 || summary->notExamined > 0 ? kExitReported : kExitSuccess;
  } catch (const ERecordingFailed& error) {
    // The journal's own error follows below.
    if (!error.Left().empty())
      stop = "kalvero: " + error.Left() + " stays in the target, although the journal does not name it: " +
             error.Why();
  } catch (const std::exception& error) {
    stop = "Kalvero 1.3: " + ErrorBoxText(error.what());
  }
  std::cout << host.Summary() << std::endl;
  if (!stop.empty()) std::cerr << stop << std::endl;
  if (journal != nullptr && journal->Error()) return JournalFailed(*journal);
  return status;
}

}  // namespace

int SortCommand(const std::vector<std::string>& arguments) {
  // The command line only reads the settings; it never creates or writes them.
  const TEnvironment& environment = ProcessEnvironment();
  auto stored = ReadStoredSettings(NativeFileSystem(), environment);
  // The stored folders are the window's texts as typed, where "~" names the home folder.
  if (stored) {
    stored->source = WithHomeFolder(stored->source, environment);
    stored->target = WithHomeFolder(stored->target, environment);
  }
  std::string error;
  const auto options =
      ParseSortOptions(arguments, stored, Escaped(SettingsFilePath(environment).value_or("")), error);
  if (!options) return UsageError(error);
  if (const std::string problem = CheckSortOptions(*options); !problem.empty()) return UsageError(problem);
  std::unique_ptr<TJournalWriter> journal;
  if (!options->report.empty()) {
    std::error_code journalError;
    journal = TJournalWriter::Create(options->report, journalError);
    if (!journal)
      return UsageError("--report: cannot create " + Escaped(options->report) + ": " + journalError.message() +
                        (journalError == std::errc::file_exists ? " (a journal never replaces a file)" : ""));
    journal->Header(HeaderOf(*options));
    if (journal->Error()) return JournalFailed(*journal);
  }
  return Run(*options, journal.get());
}

}  // namespace kalvero

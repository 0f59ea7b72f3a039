// `kalvero undo [--dry-run] REPORT`: takes back the run a journal records, and nothing else.

#include <iostream>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"
#include "platform/file_names.h"
#include "platform/file_system.h"

namespace kalvero {
namespace {

// A journal is small: one line a picture. More than this is no journal of ours.
constexpr std::uint64_t kLargestJournal = 256 << 20;

// Why a copy was kept, in the words of the output.
std::string KeptBecause(const std::error_code& error) {
  if (error == std::errc::no_such_file_or_directory) return "it is gone";
  if (error == std::errc::not_a_directory) return "its folder is no folder";
  if (error == std::errc::invalid_argument) return "it is no regular file";
  if (error == std::errc::file_exists) return "it changed since the run";
  if (error == std::errc::operation_not_permitted) return "its bytes differ from its source's";
  return error.message();
}

// Why a folder was kept, in the words of the output; empty when it was removed.
std::string FolderKeptBecause(const std::error_code& error) {
  if (!error) return {};
  return error == std::errc::directory_not_empty ? "it is not empty" : error.message();
}

struct TUndo {
  TFileSystem& fileSystem;
  TTargetFolder& target;
  const std::string& targetPath;
  bool dryRun;
  bool keptAny = false;

  void Say(bool removed, const std::string& path, const std::string& why = {}) {
    keptAny = keptAny || !removed;
    std::cout << (removed ? (dryRun ? "would remove\t" : "removed\t") : "kept\t") << Escaped(path);
    if (!why.empty()) std::cout << '\t' << why;
    std::cout << '\n';
  }

  void Copy(const TJournalPicture& picture) {
    const std::size_t separator = picture.target.find(kPathSeparator);
    const std::string folder = separator == std::string::npos ? "" : picture.target.substr(0, separator);
    const std::string name = separator == std::string::npos ? picture.target : picture.target.substr(separator + 1);
    const std::string path = targetPath + kPathSeparator + picture.target;
    // The journal names one file inside one date folder; anything else it cannot have written.
    if (!IsSinglePathComponent(name) || (!folder.empty() && !IsSinglePathComponent(folder)))
      return Say(false, path, "the journal names no file of the run");
    const std::error_code error =
        target.RemoveCopy(folder, name, {picture.lastWrite, picture.size}, picture.source, dryRun);
    Say(!error, path, error ? KeptBecause(error) : "");
  }

  void Folder(const std::string& name) {
    const std::string path = targetPath + kPathSeparator + name;
    if (!IsSinglePathComponent(name)) return Say(false, path, "the journal names no folder of the run");
    if (dryRun) return Say(true, path);
    const std::error_code error = target.RemoveFolder(name);
    Say(!error, path, FolderKeptBecause(error));
  }

  // A folder of the target's own chain, by its absolute path.
  void ChainFolder(const std::string& path) {
    const std::error_code error = dryRun ? std::error_code() : fileSystem.RemoveEmptyFolder(path);
    Say(!error, path, FolderKeptBecause(error));
  }
};

}  // namespace

int UndoCommand(const std::vector<std::string>& arguments) {
  bool dryRun = false;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--dry-run") {
      dryRun = true;
    } else {
      rest.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
      break;
    }
  }
  std::string error;
  const auto operands = Operands(rest, error);
  if (!operands) return UsageError("undo: " + error);
  if (operands->size() != 1) return UsageError("undo needs one REPORT");

  TFileSystem& fileSystem = NativeFileSystem();
  std::error_code readError;
  const auto text = fileSystem.ReadWholeFile(operands->front(), kLargestJournal, readError);
  if (!text) return UsageError("undo: cannot read " + Escaped(operands->front()) + ": " + readError.message());
  const auto journal = ReadJournal(*text, error);
  if (!journal) return UsageError("undo: " + Escaped(operands->front()) + " is refused, nothing was removed: " + error);
  if (journal->header.plan) return UsageError("undo: " + Escaped(operands->front()) + " records a plan, not a run");
  if (journal->lastLineCut)
    std::cerr << "kalvero: undo: the last line of " << Escaped(operands->front())
              << " has no line end (the run was stopped while writing it); it is passed over" << std::endl;

  const std::string& targetPath = journal->header.target;
  std::error_code openError;
  const auto target = fileSystem.OpenRecordedFolder(targetPath, openError);
  if (!target) {
    std::cerr << "kalvero: undo: cannot open the target folder " << Escaped(targetPath) << ": " << openError.message()
              << "; nothing was removed" << std::endl;
    return kExitStopped;
  }
  TUndo undo{fileSystem, *target, targetPath, dryRun};
  for (const TJournalPicture& picture : journal->pictures)
    if (picture.outcome == "copied") undo.Copy(picture);
  for (auto folder = journal->folders.rbegin(); folder != journal->folders.rend(); ++folder) undo.Folder(*folder);
  // The folders of the target's own chain, innermost first, when the run left them empty.
  for (auto folder = journal->targetFolders.rbegin(); folder != journal->targetFolders.rend(); ++folder)
    undo.ChainFolder(*folder);
  return undo.keptAny ? kExitReported : kExitSuccess;
}

}  // namespace kalvero

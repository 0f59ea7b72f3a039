// `kalvero undo [--dry-run] REPORT`: takes back the run a journal records, and nothing else.

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <map>
#include <span>
#include <streambuf>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"
#include "platform/file_names.h"
#include "platform/file_system.h"

namespace kalvero {
namespace {

// A file as a stream, read a block at a time, so that a journal of any size is read without
// holding it.
class TFileStreamBuffer final : public std::streambuf {
 public:
  explicit TFileStreamBuffer(TReadableFile& file) : file_(file) {}
  std::uint64_t BytesRead() const { return bytesRead_; }

 protected:
  int_type underflow() override {
    const std::size_t got = file_.Read(std::as_writable_bytes(std::span(buffer_)));
    if (got == 0) return traits_type::eof();
    bytesRead_ += got;
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  TReadableFile& file_;
  std::array<char, 1 << 16> buffer_;
  std::uint64_t bytesRead_ = 0;
};

// Why an entry was kept, in the words of the output.
std::string KeptBecause(const TRemoval& removal, bool folder) {
  switch (removal.verdict) {
    case TRemovalVerdict::Removed: break;
    case TRemovalVerdict::Gone: return "it is gone";
    case TRemovalVerdict::Changed: return "it changed since the run";
    case TRemovalVerdict::NotRegularFile: return "it is no regular file";
    case TRemovalVerdict::BytesDiffer: return "its bytes differ from its source's";
    case TRemovalVerdict::FolderReplaced: return folder ? "it is not the folder the run made" : "its folder is no folder";
    case TRemovalVerdict::Failed:
      return removal.error == std::errc::directory_not_empty ? "it is not empty" : removal.error.message();
  }
  return {};
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.ends_with(kPathSeparator) ? folder + name : folder + kPathSeparator + name;
}

// Whether the medium of the target was mounted again since the run: copies of the journal's names
// are there, but none is the file the run made (a medium plugged in again can get another device
// number, and FAT and exFAT number their files anew on every mount).
bool MountedAgain(const TTargetFolder& target, const TJournalCopies& copies) {
  std::size_t there = 0;
  std::size_t same = 0;
  copies.ForEach([&](const TJournalCopy& copy) {
    const auto facts = target.Facts(copy.folder, copy.name);
    if (!facts) return;
    ++there;
    if (facts->identity == copy.facts.identity) ++same;
  });
  return there > 0 && same == 0;
}

struct TUndo {
  TFileSystem& fileSystem;
  TTargetFolder& target;
  const TJournal& journal;
  bool dryRun;
  bool keptAny = false;
  // How many entries this undo takes (or, in a dry run, would take) out of each date folder; the
  // empty name is the target folder.
  std::map<std::string, std::size_t> removedFrom{};

  void Say(const TRemoval& removal, const std::string& path, bool folder) {
    const bool removed = removal.verdict == TRemovalVerdict::Removed;
    keptAny = keptAny || !removed;
    std::cout << (removed ? (dryRun ? "would remove\t" : "removed\t") : (dryRun ? "would keep\t" : "kept\t"))
              << Escaped(path);
    if (!removed) std::cout << '\t' << KeptBecause(removal, folder);
    std::cout << '\n';
  }

  void Copy(const TJournalCopy& copy) {
    const TRemoval removal = target.RemoveCopy(copy.folder, copy.name, copy.facts, copy.source, dryRun);
    if (removal == TRemoval()) ++removedFrom[copy.folder];
    const std::string& targetPath = journal.header.target;
    Say(removal, copy.folder.empty() ? Joined(targetPath, copy.name) : Joined(Joined(targetPath, copy.folder), copy.name),
        false);
  }

  void Folder(const TJournalFolder& folder) {
    const TRemoval removal = target.RemoveFolder(folder.path, folder.identity, dryRun, removedFrom[folder.path]);
    // Out of the level that holds it: the target, or the level above a nested date folder.
    const std::size_t separator = folder.path.rfind(kPathSeparator);
    if (removal == TRemoval()) ++removedFrom[separator == std::string::npos ? "" : folder.path.substr(0, separator)];
    Say(removal, Joined(journal.header.target, folder.path), true);
  }

  // The folders of the target's own chain, innermost first: each holds the one inside it.
  void Chain() {
    bool innerRemoved = false;
    for (auto folder = journal.targetFolders.rbegin(); folder != journal.targetFolders.rend(); ++folder) {
      const std::size_t leaving = folder->path == journal.header.target ? removedFrom[""] : innerRemoved ? 1 : 0;
      const TRemoval removal = fileSystem.RemoveEmptyFolder(folder->path, folder->identity, dryRun, leaving);
      innerRemoved = removal == TRemoval();
      Say(removal, folder->path, true);
    }
  }
};

// The identity the target folder had in the run: the header's, or, when the run made it, that of
// its line among the folders of the chain.
TFileIdentity RecordedTargetIdentity(const TJournal& journal) {
  if (journal.header.targetIdentity != TFileIdentity{}) return journal.header.targetIdentity;
  for (const TJournalFolder& folder : journal.targetFolders)
    if (folder.path == journal.header.target) return folder.identity;
  return {};
}

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
  const std::string shownJournal = Escaped(operands->front());

  TFileSystem& fileSystem = NativeFileSystem();
  std::error_code readError;
  const auto file = fileSystem.OpenRead(operands->front(), readError);
  if (!file) return UsageError("undo: cannot read " + shownJournal + ": " + readError.message());
  TFileStreamBuffer buffer(*file);
  std::istream stream(&buffer);
  const auto journal = ReadJournal(stream, error);
  if (!journal) return UsageError("undo: " + shownJournal + " is refused, nothing was removed: " + error);
  // Reading stops early only when it fails: a short read must not pass for a journal cut short.
  if (buffer.BytesRead() != file->Facts().size) return UsageError("undo: cannot read all of " + shownJournal);
  if (journal->header.plan) return UsageError("undo: " + shownJournal + " records a plan, not a run");
  if (journal->lastLineCut)
    std::cerr << "kalvero: undo: the last line of " << shownJournal
              << " has no line end (the run was stopped while writing it); it is passed over" << std::endl;

  const std::string& targetPath = journal->header.target;
  std::error_code openError;
  const auto target = fileSystem.OpenRecordedFolder(targetPath, openError);
  if (!target) {
    std::cerr << "kalvero: undo: cannot open the target folder " << Escaped(targetPath) << ": " << openError.message()
              << "; nothing was removed" << std::endl;
    return kExitStopped;
  }
  // A folder put in its place since the run, or reached through a link put in place of a folder
  // above it, is another folder: nothing in it is the run's.
  const TFileIdentity recorded = RecordedTargetIdentity(*journal);
  if (const TFileIdentity found = target->Identity(); found != recorded || recorded == TFileIdentity{}) {
    std::cerr << "kalvero: undo: " << Escaped(targetPath) << " is not the folder the run copied into"
              << (found.device != recorded.device
                      ? " (its medium was probably mounted again since the run, which gives it other identities)"
                      : "")
              << "; nothing was removed" << std::endl;
    return kExitStopped;
  }
  if (MountedAgain(*target, journal->copies)) {
    std::cerr << "kalvero: undo: none of the copies in " << Escaped(targetPath)
              << " is a file the run made: the medium was probably mounted again since the run, which gives its"
                 " files other identities; nothing was removed"
              << std::endl;
    return kExitStopped;
  }

  TUndo undo{fileSystem, *target, *journal, dryRun};
  journal->copies.ForEach([&undo](const TJournalCopy& copy) { undo.Copy(copy); });
  // The date folders last made first, and each level of nested ones after every level below it.
  std::vector<const TJournalFolder*> folders;
  for (auto folder = journal->folders.rbegin(); folder != journal->folders.rend(); ++folder)
    folders.push_back(&*folder);
  std::ranges::stable_sort(folders, std::greater(), [](const TJournalFolder* folder) {
    return std::ranges::count(folder->path, kPathSeparator);
  });
  for (const TJournalFolder* folder : folders) undo.Folder(*folder);
  undo.Chain();
  return undo.keptAny ? kExitReported : kExitSuccess;
}

}  // namespace kalvero

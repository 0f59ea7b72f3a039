#pragma once

// The file system as the program uses it. One native implementation per operating system
// (chosen by the build) and an in-memory fake for tests; the engine and the metadata reader take
// it by reference.
//
// Paths are byte strings used as typed, never normalised. Only folders and regular files exist
// for the program: an entry that, after following symbolic links, is neither (a FIFO, socket,
// device or broken link) is not listed, and opening it for reading fails.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kalvero {

// Identifies a folder or file however it is reached (device and inode on POSIX), so that a
// walk that follows links can tell a folder it has already entered.
struct TFileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend auto operator<=>(const TFileIdentity&, const TFileIdentity&) = default;
};

enum class TEntryKind { File, Folder };

struct TFolderEntry {
  std::string name;
  TEntryKind kind = TEntryKind::File;
  bool hidden = false;
  TFileIdentity identity;
};

// An entry of a folder that a listing could not examine: the folder itself (empty name) when it
// cannot be read, or one of its entries whose type cannot be found out.
struct TUnreadableEntry {
  std::string name;
  std::error_code reason;
  bool link = false;  // the entry is a symbolic link that leads nowhere or round in a loop
};

struct TFileFacts {
  std::int64_t lastWriteNanoseconds = 0;  // since 1970-01-01 00:00:00 UTC
  std::uint64_t size = 0;
  // Which file it is, and when its status last changed (the system sets that time itself on every
  // change, so a file made to look like another with the same size and times still differs).
  TFileIdentity identity;
  std::int64_t changeNanoseconds = 0;  // since 1970-01-01 00:00:00 UTC
  friend bool operator==(const TFileFacts&, const TFileFacts&) = default;
};

// What taking back an entry of a run came to, or, only checking, would come to.
enum class TRemovalVerdict {
  Removed,
  Gone,            // nothing of that name is there
  Changed,         // another file now, or the file changed since the run
  NotRegularFile,  // it is no regular file (a link included)
  BytesDiffer,     // its bytes differ from those of its source
  FolderReplaced,  // its folder, or the folder itself, is no longer the folder the run made
  Failed,          // the system refused; `error` says why (directory_not_empty for a folder in use)
};

struct TRemoval {
  TRemoval() = default;
  TRemoval(TRemovalVerdict verdict_, std::error_code error_ = {}) : verdict(verdict_), error(error_) {}
  TRemovalVerdict verdict = TRemovalVerdict::Removed;
  std::error_code error;
  friend bool operator==(const TRemoval&, const TRemoval&) = default;
};

// A file opened for reading, closed when destroyed.
class TReadableFile {
 public:
  virtual ~TReadableFile() = default;
  // Reads up to `into.size()` bytes at the current position and answers how many were read;
  // fewer only at the end of the file or when reading fails, which the caller treats alike.
  virtual std::size_t Read(std::span<std::byte> into) = 0;
  // Moves the place of the next Read to `offset` bytes from the start of the file, so that a reader
  // of boxes or directories passes over data it does not need without reading it. An offset at or
  // past the size the file had when it was opened leaves nothing more to read. False when the
  // system refuses; the next Read then reads nothing.
  virtual bool SeekTo(std::uint64_t offset) = 0;
  // Last-write time and size of the file as it was opened.
  virtual TFileFacts Facts() const = 0;
};

enum class TEntryLook { Absent, Folder, Other };

// A folder that a copy run writes into, held open. Everything below it is reached relative to
// it without following symbolic links, so a link placed inside can never lead a copy elsewhere;
// the folder itself may be reached through a link, since the user named it.
//
// A `folder`, and the `name` of MakeFolder and RemoveFolder, is a relative path below this folder:
// one name, or several joined by the separator (nested date folders). Each level is opened inside
// the one above it, never through a link: a link, or anything but a folder, at any level answers
// as a link in place of a single folder does. A path with an empty level, "." or ".." is refused
// (invalid_argument). The `name` of a file is always a single name.
class TTargetFolder {
 public:
  virtual ~TTargetFolder() = default;

  // Makes the folder `name` below this one, only its last level (its outer levels must exist),
  // unless a folder of that name is there already (one made by another program a moment ago
  // included); `made`, when given, receives the identity of the folder when this call made it, and
  // none otherwise. Anything else of that name, a symbolic link to a folder included, answers
  // not_a_directory.
  virtual std::error_code MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) = 0;

  // The identity of this folder itself.
  virtual TFileIdentity Identity() const = 0;

  // Copies the regular file `source` to the new file `name` inside the folder `folder` of this
  // one (the empty text: this folder itself), keeping the source's permission bits and last-write
  // time where the file system can hold them. An entry of that name in any form fails the copy
  // with file_exists before a byte of the source is read, and an existing file is never
  // replaced, even by a race. A `folder` that is no longer a folder (a link put in its place)
  // fails with not_a_directory. The copy appears under its name only once it is complete: a
  // failure, or an interruption by SIGINT, SIGTERM, SIGHUP or SIGQUIT once InstallInterruptCleanup
  // ran, leaves nothing under that name; a copy shorter than the source was at its opening fails
  // with io_error. The source is only read. `copy`, when given, receives the facts of the copy as
  // the file system keeps them (FAT keeps times to 2 s), as they are once the copy is under its name.
  virtual std::error_code CopyInto(const std::string& source, const std::string& folder, const std::string& name,
                                   TFileFacts* copy) = 0;

  // What is at `name` in `folder` (the empty text: this folder itself), links not followed; a
  // `folder` that is no folder holds nothing.
  virtual TEntryLook LookUp(const std::string& folder, const std::string& name) const = 0;
  // The facts of the regular file `name` in `folder`, links not followed; none for anything else.
  virtual std::optional<TFileFacts> Facts(const std::string& folder, const std::string& name) const = 0;

  // Whether `name` in `folder` (the empty text: this folder itself) is a regular file, links not
  // followed, holding the same bytes as the file `source`; false for anything else, and when either
  // cannot be read.
  virtual bool HoldsSameBytes(const std::string& folder, const std::string& name, const std::string& source) const = 0;

  // Writes every copy made so far to the medium, so that it survives the medium's removal.
  virtual std::error_code Flush() = 0;

  // Taking a run back. Removes the copy `name` in `folder` (the empty text: this folder itself),
  // links not followed, only while it is still the regular file with all the facts `copy` (size,
  // last-write time, identity and change time) and, where the file `source` still exists, the
  // same bytes. With `checkOnly` it only checks.
  virtual TRemoval RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                              const std::string& source, bool checkOnly) = 0;
  // Removes the folder `name` below this one (its last level) while it is the folder `identity` (a
  // link is none) and empty. With `checkOnly` it only checks, counting it empty when it holds no more
  // than `leaving` entries: those that the caller removes from it first.
  virtual TRemoval RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                                std::size_t leaving) = 0;
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  // The folders and regular files in `folder` (the current folder for the empty text), without
  // "." and "..", sorted with CompareNames. A folder that does not exist or cannot be read has
  // no entries. When `unreadable` is given, it receives in name order what could not be examined:
  // the folder itself when it exists but cannot be read (or, as no_such_file_or_directory, when
  // it does not exist), and every entry whose type cannot be found out, a symbolic link that
  // leads nowhere or round in a loop included; an entry that vanished meanwhile is no such entry.
  virtual std::vector<TFolderEntry> ListFolder(const std::string& folder,
                                               std::vector<TUnreadableEntry>* unreadable = nullptr) const = 0;

  // The entries of ListFolder whose names match the wildcard mask (MatchesMask).
  std::vector<TFolderEntry> FindEntries(const std::string& folder, const std::string& mask) const;

  // The identity of an existing folder, following links; none when it is no folder, with the
  // reason in `why` when given (not_a_directory for anything else of that name).
  virtual std::optional<TFileIdentity> FolderIdentity(const std::string& path,
                                                      std::error_code* why = nullptr) const = 0;

  bool FolderExists(const std::string& path) const { return FolderIdentity(path).has_value(); }

  // True when anything at all exists at `path`, links followed.
  virtual bool Exists(const std::string& path) const = 0;

  // Creates one folder; its parent must exist. On failure answers the reason.
  virtual std::error_code CreateFolder(const std::string& path) = 0;

  // Last-write time and size of a regular file, from one query; none when there is no such file.
  virtual std::optional<TFileFacts> FileFacts(const std::string& path) const = 0;

  // Opens the existing folder `path` (following links) for a copy run to write into. On failure
  // answers null and sets `error`.
  virtual std::unique_ptr<TTargetFolder> OpenTargetFolder(const std::string& path, std::error_code& error) = 0;
  // Opens the folder `path` of a run's journal, which must be no link to one
  // (too_many_symbolic_link_levels for a link); whether it is still the run's folder, its Identity
  // tells.
  virtual std::unique_ptr<TTargetFolder> OpenRecordedFolder(const std::string& path, std::error_code& error) = 0;
  // Removes the folder `path` as TTargetFolder::RemoveFolder removes one inside it; a link is no
  // folder and stays.
  virtual TRemoval RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                     std::size_t leaving) = 0;

  // Whether this user may make entries in the existing folder `path`, links followed: nothing, or
  // what making one would answer (read_only_file_system, permission_denied, ...).
  virtual std::error_code WriteAccess(const std::string& path) const = 0;
  // The longest path, in bytes, that the system takes for what is opened or made by its path.
  // Entries below a target folder are reached through its handle and limited by name alone.
  virtual std::size_t LongestPath() const = 0;

  // Opens a regular file read-only. On failure answers null and sets `error`.
  virtual std::unique_ptr<TReadableFile> OpenRead(const std::string& path, std::error_code& error) const = 0;

  // The whole content of the regular file at `path`, read at once. Fails like OpenRead for
  // anything but a regular file, with file_too_large when it holds more than `maxSize` bytes
  // (nothing beyond that is kept in memory), and with the reason when reading fails part way, so
  // a short read never passes for the whole file. On success `error` is cleared.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                                   std::error_code& error) const = 0;

  // Replaces the content of the regular file at `path` with `content`, or creates the file when
  // nothing of that name exists (with the permission bits any new file gets); the folder must
  // exist and is never created. The content goes into a new file beside the old one (beside a
  // symbolic link's final target, so a link stays a link), which takes the old file's permission
  // bits, is flushed to the disk and is then renamed over the old one: readers see the old or the
  // new content, never a part, and a failure at any step leaves the old file as it was and no
  // other file behind. Refused with permission_denied when the permission bits of the existing
  // file do not let the current user write it (root included), and refused for a link whose
  // target does not exist.
  virtual std::error_code ReplaceFileContent(const std::string& path, std::string_view content) = 0;
};

// The operating system's file system; lives for the whole process.
TFileSystem& NativeFileSystem();

// Makes SIGINT, SIGTERM, SIGHUP and SIGQUIT remove the file that a copy is writing under a name
// before the process ends as the signal says, and lets them through in the calling thread, the one
// that copies (see interrupt_hold.h). SIGXFSZ is ignored, so a write beyond the file-size limit
// fails that copy. Called once at the start of a program that copies, on the thread that copies.
void InstallInterruptCleanup();

}  // namespace kalvero

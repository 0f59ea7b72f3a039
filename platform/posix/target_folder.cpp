// Copies into a target folder on POSIX systems: never replacing a file, never following a link
// below the folder, and never showing a copy under its name before it is complete.

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/file_names.h"
#include "platform/posix/pending_file.h"
#include "platform/posix/posix_file_system.h"

namespace kalvero {
namespace {

std::error_code Error(std::errc code) { return std::make_error_code(code); }
std::error_code Error(int code) { return {code, std::generic_category()}; }

// The answers by which a file system says it lacks a call, rather than that the call failed. A
// missing entry (ENOENT) is a failure of that copy: its folder or temporary file was removed.
bool Unsupported(int error) {
  return error == EOPNOTSUPP || error == ENOSYS || error == EINVAL || error == EISDIR || error == EXDEV;
}

// The same for a link, where EPERM says that the file system has no links.
bool LinkUnsupported(int error) { return error == EPERM || Unsupported(error); }

// Whether the open folder was removed meanwhile: a link into it answers ENOENT then, as the link by
// handle does without its privilege and the link through /proc does without /proc.
bool Removed(int folder) {
  struct stat status;
  return ::fstat(folder, &status) != 0 || status.st_nlink == 0;
}

// Copies up to `remaining` bytes of the rest of `from` into `to` with read and write, for file
// systems that cannot copy inside the kernel.
std::error_code CopyByReading(int from, int to, std::uint64_t remaining) {
  std::array<char, 1 << 17> buffer;
  while (remaining > 0) {
    const ssize_t got = ::read(from, buffer.data(), std::min<std::uint64_t>(remaining, buffer.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastError();
    if (got == 0) return {};
    if (const std::error_code error = WriteAll(to, {buffer.data(), static_cast<std::size_t>(got)})) return error;
    remaining -= static_cast<std::uint64_t>(got);
  }
  return {};
}

// Copies the source's bytes, as many as it had when it was opened (the call that would only
// find its end is saved), or fewer if it shrinks meanwhile. Some file systems answer a kernel
// copy they do not support with 0 bytes, as at the end of the file: the rest is read and written
// then, and a source that really ended answers the same.
std::error_code CopyContent(const TCopyCalls& calls, int from, int to, std::uint64_t size) {
  for (std::uint64_t remaining = size; remaining > 0;) {
    const ssize_t copied = calls.copyRange(from, to, std::min<std::uint64_t>(remaining, 1 << 30));
    if (copied > 0) {
      remaining -= static_cast<std::uint64_t>(copied);
      continue;
    }
    if (copied < 0 && errno == EINTR) continue;
    // The offsets have not moved for a call that copied nothing.
    if (copied == 0 || Unsupported(errno)) return CopyByReading(from, to, remaining);
    return LastError();
  }
  return {};
}

// A hidden name that no picture search takes for a picture: ".kalvero-<16 hex digits>.part".
std::string TemporaryName() {
  std::uint64_t random = 0;
  if (::getrandom(&random, sizeof random, 0) != sizeof random) {
    static std::uint64_t counter = 0;
    random = (static_cast<std::uint64_t>(::getpid()) << 32) ^ ++counter ^ static_cast<std::uint64_t>(::time(nullptr));
  }
  std::array<char, 17> digits;
  std::snprintf(digits.data(), digits.size(), "%016llx", static_cast<unsigned long long>(random));
  return ".kalvero-" + std::string(digits.data()) + ".part";
}

class TPosixTargetFolder final : public TTargetFolder {
 public:
  TPosixTargetFolder(TDescriptor folder, const TCopyCalls& calls, TCopyRoad road)
      : folder_(std::move(folder)), calls_(calls), road_(road) {}

  std::error_code MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) override;
  TFileIdentity Identity() const override {
    struct stat status {};
    return ::fstat(folder_.Get(), &status) == 0 ? IdentityOf(status) : TFileIdentity{};
  }
  std::error_code CopyInto(const std::string& source, const std::string& folder, const std::string& name,
                           TFileFacts* copy) override;
  TEntryLook LookUp(const std::string& folder, const std::string& name) const override;
  std::optional<TFileFacts> Facts(const std::string& folder, const std::string& name) const override;
  bool HoldsSameBytes(const std::string& folder, const std::string& name, const std::string& source) const override;
  std::error_code Flush() override {
    return calls_.syncFileSystem(folder_.Get()) == 0 ? std::error_code() : LastError();
  }
  TRemoval RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                      const std::string& source, bool checkOnly) override;
  TRemoval RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                        std::size_t leaving) override;

 private:
  // The outcome of one road: done (with or without an error), or the road does not exist here.
  struct TRoadResult {
    std::error_code error;
    bool unsupported = false;
  };

  // The folder `path` below this one, a level or several joined by the separator; -1 and why not.
  int OpenSubfolder(const std::string& path, std::error_code& error) const;
  // Writes the copy's bytes, starts their write-back, keeps the source's bits and time where the
  // file system can, and tells the copy's facts as it keeps them.
  std::error_code Fill(int to, int from, const struct stat& source, TFileFacts& copy) const;
  TRoadResult CopyUnnamed(int folder, int from, const struct stat& source, const std::string& name, TFileFacts& copy);
  TRoadResult CopyTemporary(int folder, int from, const struct stat& source, const std::string& name,
                            TFileFacts& copy);
  TRoadResult CopyExclusive(int folder, int from, const struct stat& source, const std::string& name,
                            TFileFacts& copy);
  TRoadResult PutInPlace(int folder, const std::string& temporary, const std::string& name);

  TDescriptor folder_;
  const TCopyCalls calls_;
  TCopyRoad road_;  // the best road this folder's file system has shown to take
  bool linkByHandle_ = true;
  bool renameNoReplace_ = true;
};

std::error_code TPosixTargetFolder::MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) {
  if (made != nullptr) made->reset();
  const auto [parent, last] = SplitLastName(name);
  const std::string leaf(last);
  if (!IsSinglePathComponent(leaf)) return Error(std::errc::invalid_argument);
  std::error_code error;
  const TDescriptor subfolder(parent.empty() ? -1 : OpenSubfolder(std::string(parent), error));
  if (error) return error;
  const int in = parent.empty() ? folder_.Get() : subfolder.Get();
  struct stat status;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (::fstatat(in, leaf.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
      return S_ISDIR(status.st_mode) ? std::error_code() : Error(std::errc::not_a_directory);
    if (errno != ENOENT) return LastError();
    if (::mkdirat(in, leaf.c_str(), 0777) == 0) {
      // A folder whose identity cannot be told is recorded as none, which undo never removes.
      if (made != nullptr)
        *made = ::fstatat(in, leaf.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 ? IdentityOf(status) : TFileIdentity{};
      return {};
    }
    // Made by another program since the look-up: judged by what is there now.
    if (errno != EEXIST) return LastError();
  }
  return Error(std::errc::file_exists);
}

// Opened anew for every copy, so that a folder replaced by a link since the last copy is noticed
// and at most one such handle is open. Each level of a nested `path` is opened inside the one
// above it without following a link, so a link put at any level is never followed.
int TPosixTargetFolder::OpenSubfolder(const std::string& path, std::error_code& error) const {
  TDescriptor level;
  for (const std::string& name : PathNames(path)) {
    if (!IsSinglePathComponent(name)) {
      error = Error(std::errc::invalid_argument);
      return -1;
    }
    const int fd = ::openat(level.Get() < 0 ? folder_.Get() : level.Get(), name.c_str(),
                            O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int code = errno;
    level.Reset(fd);
    if (fd < 0) {
      error = code == ELOOP ? Error(std::errc::not_a_directory) : Error(code);
      return -1;
    }
  }
  return level.Release();
}

TEntryLook TPosixTargetFolder::LookUp(const std::string& folder, const std::string& name) const {
  std::error_code ignored;
  const TDescriptor subfolder(folder.empty() ? -1 : OpenSubfolder(folder, ignored));
  if (!folder.empty() && subfolder.Get() < 0) return TEntryLook::Absent;
  struct stat status;
  if (::fstatat(folder.empty() ? folder_.Get() : subfolder.Get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
    return TEntryLook::Absent;
  return S_ISDIR(status.st_mode) ? TEntryLook::Folder : TEntryLook::Other;
}

std::optional<TFileFacts> TPosixTargetFolder::Facts(const std::string& folder, const std::string& name) const {
  std::error_code ignored;
  const TDescriptor subfolder(folder.empty() ? -1 : OpenSubfolder(folder, ignored));
  if (!folder.empty() && subfolder.Get() < 0) return std::nullopt;
  struct stat status;
  if (::fstatat(folder.empty() ? folder_.Get() : subfolder.Get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(status.st_mode))
    return std::nullopt;
  return FactsOf(status);
}

std::error_code TPosixTargetFolder::CopyInto(const std::string& source, const std::string& folder,
                                             const std::string& name, TFileFacts* copy) {
  std::error_code error;
  const TDescriptor subfolder(folder.empty() ? -1 : OpenSubfolder(folder, error));
  if (error) return error;
  const int into = folder.empty() ? folder_.Get() : subfolder.Get();

  struct stat status;
  if (::fstatat(into, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) return Error(std::errc::file_exists);
  if (errno != ENOENT) return LastError();

  TDescriptor from = OpenRegularFile(source, error);
  if (error) return error;
  if (::fstat(from.Get(), &status) != 0) return LastError();
  TFileFacts facts;
  TFileFacts& kept = copy != nullptr ? *copy : facts;
  for (;;) {
    TRoadResult result;
    switch (road_) {
      case TCopyRoad::UnnamedFile: result = CopyUnnamed(into, from.Get(), status, name, kept); break;
      case TCopyRoad::TemporaryName: result = CopyTemporary(into, from.Get(), status, name, kept); break;
      case TCopyRoad::ExclusiveCreate: result = CopyExclusive(into, from.Get(), status, name, kept); break;
    }
    if (!result.unsupported) {
      // Naming the copy (a link, and the unlink of a temporary name) changed its change time: its
      // facts as undo will find them are those under its name now.
      if (!result.error && ::fstatat(into, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) kept = FactsOf(status);
      return result.error;
    }
    // This file system lacks the road: every later copy takes the next one, this one too.
    road_ = static_cast<TCopyRoad>(static_cast<int>(road_) + 1);
    if (::lseek(from.Get(), 0, SEEK_SET) != 0) return LastError();
  }
}

std::error_code TPosixTargetFolder::Fill(int to, int from, const struct stat& source, TFileFacts& copy) const {
  if (const std::error_code error = CopyContent(calls_, from, to, static_cast<std::uint64_t>(source.st_size)))
    return error;
  if (calls_.writeBack(to) != 0 && (errno == EIO || errno == ENOSPC || errno == EDQUOT)) return LastError();
  // Permission bits and times are kept where the file system can hold them; a card that cannot
  // still gets every byte.
  static_cast<void>(calls_.changeMode(to, source.st_mode & 0777));
  const timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  static_cast<void>(calls_.changeTimes(to, times));
  struct stat written;
  if (::fstat(to, &written) != 0) return LastError();
  // A copy counts only with all the bytes the source had when it was opened.
  if (written.st_size < source.st_size) return Error(std::errc::io_error);
  copy = FactsOf(written);
  return {};
}

TPosixTargetFolder::TRoadResult TPosixTargetFolder::CopyUnnamed(int folder, int from, const struct stat& source,
                                                                const std::string& name, TFileFacts& copy) {
  const TDescriptor to(calls_.openUnnamed(folder));
  if (to.Get() < 0) return {LastError(), Unsupported(errno)};
  // An unnamed file that is not linked vanishes when it is closed, on every road out.
  if (const std::error_code error = Fill(to.Get(), from, source, copy)) return {error};
  TInterruptBlock naming;
  if (linkByHandle_) {
    if (calls_.linkByHandle(to.Get(), folder, name.c_str()) == 0) {
      naming.Keep();
      return {};
    }
    const int error = errno;
    if (error == ENOENT ? Removed(folder) : !LinkUnsupported(error)) return {Error(error)};
    // Needs a privilege that the user lacks (ENOENT, EPERM); the link through /proc does not.
    linkByHandle_ = false;
  }
  if (calls_.linkThroughProc(to.Get(), folder, name.c_str()) == 0) {
    naming.Keep();
    return {};
  }
  const int error = errno;
  return {Error(error), error == ENOENT ? !Removed(folder) : LinkUnsupported(error)};
}

TPosixTargetFolder::TRoadResult TPosixTargetFolder::CopyTemporary(int folder, int from, const struct stat& source,
                                                                  const std::string& name, TFileFacts& copy) {
  // Another run may write into the same folder: a name that exists is never taken over.
  std::string temporary;
  TDescriptor to;
  // No interruption between the creation of the temporary file and its registration for removal.
  TInterruptBlock naming;
  for (int attempt = 0; attempt < 100 && to.Get() < 0; ++attempt) {
    temporary = TemporaryName();
    to.Reset(calls_.createNew(folder, temporary.c_str()));
    if (to.Get() < 0 && errno != EEXIST) return {LastError()};
  }
  if (to.Get() < 0) return {Error(std::errc::file_exists)};
  const TPendingFile pending(folder, temporary);
  naming.Unblock();
  std::error_code error = Fill(to.Get(), from, source, copy);
  if (!error && ::close(to.Release()) != 0) error = LastError();
  naming.Block();
  if (error) {
    ::unlinkat(folder, temporary.c_str(), 0);
    return {error};
  }
  const TRoadResult result = PutInPlace(folder, temporary, name);
  if (!result.error) naming.Keep();
  return result;
}

TPosixTargetFolder::TRoadResult TPosixTargetFolder::PutInPlace(int folder, const std::string& temporary,
                                                               const std::string& name) {
  TRoadResult result;
  if (renameNoReplace_) {
    if (calls_.renameNoReplace(folder, temporary.c_str(), name.c_str()) == 0) return {};
    if (errno == EEXIST || !Unsupported(errno)) result = {LastError()};
    else renameNoReplace_ = false;
  }
  if (!result.error) {
    if (calls_.linkName(folder, temporary.c_str(), name.c_str()) == 0) result = {};
    else result = {LastError(), LinkUnsupported(errno)};
  }
  ::unlinkat(folder, temporary.c_str(), 0);
  return result;
}

TPosixTargetFolder::TRoadResult TPosixTargetFolder::CopyExclusive(int folder, int from, const struct stat& source,
                                                                  const std::string& name, TFileFacts& copy) {
  // Readable and writable only by the owner until the copy is complete; no interruption between
  // the name's creation and its registration for removal.
  TInterruptBlock naming;
  TDescriptor to(calls_.createNew(folder, name.c_str()));
  if (to.Get() < 0) return {LastError()};
  const TPendingFile pending(folder, name);
  naming.Unblock();
  std::error_code error = Fill(to.Get(), from, source, copy);
  if (!error && ::close(to.Release()) != 0) error = LastError();
  // From here the copy is removed, or it stays until it is recorded.
  naming.Block();
  if (error) ::unlinkat(folder, name.c_str(), 0);
  else naming.Keep();
  return {error};
}

// Whether the open file `copy` holds the same bytes as the file `source`.
std::error_code SameBytes(int copy, const std::string& source, bool& same) {
  std::error_code error;
  const TDescriptor from = OpenRegularFile(source, error);
  if (error) return error;
  std::array<char, 1 << 16> ours, theirs;
  for (;;) {
    const ssize_t got = ::read(copy, ours.data(), ours.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastError();
    ssize_t other = 0;
    while (other < got) {
      const ssize_t part = ::read(from.Get(), theirs.data() + other, static_cast<std::size_t>(got - other));
      if (part < 0 && errno == EINTR) continue;
      if (part <= 0) break;
      other += part;
    }
    if (other != got || !std::equal(ours.begin(), ours.begin() + got, theirs.begin())) {
      same = false;
      return {};
    }
    if (got == 0) {
      char extra;
      same = ::read(from.Get(), &extra, 1) == 0;
      return {};
    }
  }
}

bool TPosixTargetFolder::HoldsSameBytes(const std::string& folder, const std::string& name,
                                        const std::string& source) const {
  std::error_code error;
  const TDescriptor subfolder(folder.empty() ? -1 : OpenSubfolder(folder, error));
  if (error) return false;
  const int in = folder.empty() ? folder_.Get() : subfolder.Get();
  const TDescriptor file(::openat(in, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat status;
  if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  bool same = false;
  return !SameBytes(file.Get(), source, same) && same;
}

TRemoval Failure(const std::error_code& error) { return {TRemovalVerdict::Failed, error}; }

// Why a folder or file that undo looks for could not be opened.
TRemoval NotOpened(int error) {
  if (error == ENOENT) return TRemovalVerdict::Gone;
  if (error == ENOTDIR || error == ELOOP) return TRemovalVerdict::FolderReplaced;
  return Failure({error, std::generic_category()});
}

TRemoval TPosixTargetFolder::RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                                        const std::string& source, bool checkOnly) {
  std::error_code error;
  const TDescriptor subfolder(folder.empty() ? -1 : OpenSubfolder(folder, error));
  if (error) return NotOpened(error.value());
  const int in = folder.empty() ? folder_.Get() : subfolder.Get();
  const TDescriptor file(::openat(in, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) {
    if (errno == ENOENT) return TRemovalVerdict::Gone;
    return errno == ELOOP ? TRemoval(TRemovalVerdict::NotRegularFile) : Failure(LastError());
  }
  struct stat status;
  if (::fstat(file.Get(), &status) != 0) return Failure(LastError());
  if (!S_ISREG(status.st_mode)) return TRemovalVerdict::NotRegularFile;
  if (FactsOf(status) != copy) return TRemovalVerdict::Changed;
  // A source that is gone cannot be compared; the facts must do then.
  bool same = true;
  if (const std::error_code unreadable = SameBytes(file.Get(), source, same);
      unreadable && unreadable != std::errc::no_such_file_or_directory)
    return Failure(unreadable);
  if (!same) return TRemovalVerdict::BytesDiffer;
  if (checkOnly) return {};
  // The name is removed only while it is still the file that was checked.
  struct stat named;
  if (::fstatat(in, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0) return NotOpened(errno);
  if (IdentityOf(named) != IdentityOf(status)) return TRemovalVerdict::Changed;
  return ::unlinkat(in, name.c_str(), 0) == 0 ? TRemoval{} : Failure(LastError());
}

// The count of entries in the open folder `fd`, "." and ".." left out.
std::optional<std::size_t> EntryCount(int fd) {
  DIR* stream = ::fdopendir(::dup(fd));
  if (stream == nullptr) return std::nullopt;
  std::size_t count = 0;
  while (const dirent* entry = ::readdir(stream))
    if (std::string_view(entry->d_name) != "." && std::string_view(entry->d_name) != "..") ++count;
  ::closedir(stream);
  return count;
}

// Removes the empty folder `name` in `at` (a path, for AT_FDCWD) while it is the folder `identity`.
TRemoval RemoveFolderAt(int at, const char* name, const TFileIdentity& identity, bool checkOnly, std::size_t leaving) {
  const TDescriptor folder(::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (folder.Get() < 0) return NotOpened(errno);
  struct stat status;
  if (::fstat(folder.Get(), &status) != 0) return Failure(LastError());
  if (IdentityOf(status) != identity) return TRemovalVerdict::FolderReplaced;
  if (checkOnly) {
    const auto count = EntryCount(folder.Get());
    if (!count) return Failure(LastError());
    return *count > leaving ? Failure(Error(std::errc::directory_not_empty)) : TRemoval{};
  }
  if (::unlinkat(at, name, AT_REMOVEDIR) == 0) return {};
  // Linux answers ENOTEMPTY, other systems EEXIST, for a folder that holds anything.
  return Failure(errno == EEXIST ? Error(std::errc::directory_not_empty) : LastError());
}

TRemoval TPosixTargetFolder::RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                                          std::size_t leaving) {
  const auto [parent, last] = SplitLastName(name);
  const std::string leaf(last);
  if (!IsSinglePathComponent(leaf)) return Failure(Error(std::errc::invalid_argument));
  std::error_code error;
  const TDescriptor subfolder(parent.empty() ? -1 : OpenSubfolder(std::string(parent), error));
  if (error) return NotOpened(error.value());
  return RemoveFolderAt(parent.empty() ? folder_.Get() : subfolder.Get(), leaf.c_str(), identity, checkOnly, leaving);
}

}  // namespace

std::unique_ptr<TTargetFolder> TPosixFileSystem::OpenFolder(const std::string& path, bool followLink,
                                                            std::error_code& error) const {
  const int noFollow = followLink ? 0 : O_NOFOLLOW;
  TDescriptor folder(::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | noFollow | O_CLOEXEC));
  if (folder.Get() < 0) {
    error = LastError();
    return nullptr;
  }
  error.clear();
  return std::make_unique<TPosixTargetFolder>(std::move(folder), calls_, road_);
}

std::unique_ptr<TTargetFolder> TPosixFileSystem::OpenTargetFolder(const std::string& path, std::error_code& error) {
  return OpenFolder(path, true, error);
}

std::unique_ptr<TTargetFolder> TPosixFileSystem::OpenRecordedFolder(const std::string& path, std::error_code& error) {
  return OpenFolder(path, false, error);
}

TRemoval TPosixFileSystem::RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                             std::size_t leaving) {
  return RemoveFolderAt(AT_FDCWD, path.c_str(), identity, checkOnly, leaving);
}

}  // namespace kalvero

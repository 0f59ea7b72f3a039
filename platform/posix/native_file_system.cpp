// The file system of POSIX systems: listing, folders, facts and reading.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>

#include "platform/file_names.h"
#include "platform/posix/posix_file_system.h"

namespace kalvero {

const char kPathSeparator = '/';

bool IsAbsolutePath(std::string_view path) { return path.starts_with(kPathSeparator); }

bool IsRefusedName(std::string_view) { return false; }

std::size_t RootLength(std::string_view path) { return IsAbsolutePath(path) ? 1 : 0; }

namespace {

const char* OsPath(const std::string& path) { return path.empty() ? "." : path.c_str(); }

class TPosixReadableFile final : public TReadableFile {
 public:
  TPosixReadableFile(TDescriptor fd, const TFileFacts& facts) : fd_(std::move(fd)), facts_(facts) {}

  TFileFacts Facts() const override { return facts_; }

  std::size_t Read(std::span<std::byte> into) override {
    std::size_t done = 0;
    // Reading stops at the size the file had when it was opened, which saves the read that
    // would only find the end of a small file.
    while (done < into.size() && position_ < facts_.size) {
      const ssize_t got = ::read(fd_.Get(), into.data() + done, into.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
      position_ += static_cast<std::uint64_t>(got);
    }
    return done;
  }

  bool SeekTo(std::uint64_t offset) override {
    position_ = std::min(offset, facts_.size);
    if (::lseek(fd_.Get(), static_cast<off_t>(position_), SEEK_SET) >= 0) return true;
    position_ = facts_.size;
    return false;
  }

 private:
  TDescriptor fd_;
  TFileFacts facts_;
  std::uint64_t position_ = 0;
};

// Records why an entry's type could not be found out, unless it has vanished since it was listed.
void RecordUnreadable(int folderFd, const char* name, std::vector<TUnreadableEntry>* unreadable) {
  const std::error_code reason = LastError();
  if (unreadable == nullptr) return;
  struct stat status;
  const bool present = ::fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0;
  if (!present && errno == ENOENT) return;
  unreadable->push_back({name, reason, present && S_ISLNK(status.st_mode)});
}

// Classifies one directory entry, following links; none for anything but a folder or a regular
// file. The directory's own type hint saves a status query for plain files.
std::optional<TFolderEntry> ClassifyEntry(int folderFd, const dirent& entry,
                                          std::vector<TUnreadableEntry>* unreadable) {
  TFolderEntry result{entry.d_name, TEntryKind::File, IsHiddenName(entry.d_name), {}};
  if (entry.d_type == DT_REG) return result;
  struct stat status;
  if (::fstatat(folderFd, entry.d_name, &status, 0) != 0) {
    RecordUnreadable(folderFd, entry.d_name, unreadable);
    return std::nullopt;
  }
  if (S_ISREG(status.st_mode)) return result;
  if (!S_ISDIR(status.st_mode)) return std::nullopt;
  result.kind = TEntryKind::Folder;
  result.identity = IdentityOf(status);
  return result;
}

}  // namespace

TFileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

TFileFacts FactsOf(const struct stat& status) {
  return {std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
          static_cast<std::uint64_t>(status.st_size), IdentityOf(status),
          std::int64_t{status.st_ctim.tv_sec} * 1'000'000'000 + status.st_ctim.tv_nsec};
}

std::error_code WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t put = ::write(fd, content.data(), content.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return LastError();
    content.remove_prefix(static_cast<std::size_t>(put));
  }
  return {};
}

TDescriptor OpenRegularFile(const std::string& path, std::error_code& error, TFileFacts* facts) {
  TDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat status;
  if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0) {
    error = LastError();
    return TDescriptor();
  }
  if (!S_ISREG(status.st_mode)) {
    error = std::make_error_code(S_ISDIR(status.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
    return TDescriptor();
  }
  error.clear();
  if (facts != nullptr) *facts = FactsOf(status);
  return fd;
}

std::vector<TFolderEntry> TPosixFileSystem::ListFolder(const std::string& folder,
                                                       std::vector<TUnreadableEntry>* unreadable) const {
  std::vector<TFolderEntry> entries;
  DIR* stream = ::opendir(OsPath(folder));
  if (stream == nullptr) {
    if (unreadable != nullptr) unreadable->push_back({"", LastError()});
    return entries;
  }
  const std::size_t firstUnreadable = unreadable != nullptr ? unreadable->size() : 0;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(stream);
    if (entry == nullptr) {
      // The end of the folder, or an error that ends its listing (an I/O error on a failing card).
      if (errno != 0 && unreadable != nullptr) unreadable->push_back({"", LastError()});
      break;
    }
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (auto classified = ClassifyEntry(::dirfd(stream), *entry, unreadable)) entries.push_back(std::move(*classified));
  }
  ::closedir(stream);
  std::ranges::sort(entries, NameLess, &TFolderEntry::name);
  if (unreadable != nullptr)
    std::ranges::sort(unreadable->begin() + static_cast<std::ptrdiff_t>(firstUnreadable), unreadable->end(), NameLess,
                      &TUnreadableEntry::name);
  return entries;
}

std::optional<TFileIdentity> TPosixFileSystem::FolderIdentity(const std::string& path, std::error_code* why) const {
  struct stat status;
  if (::stat(OsPath(path), &status) != 0) {
    if (why != nullptr) *why = LastError();
    return std::nullopt;
  }
  if (!S_ISDIR(status.st_mode)) {
    if (why != nullptr) *why = std::make_error_code(std::errc::not_a_directory);
    return std::nullopt;
  }
  return IdentityOf(status);
}

bool TPosixFileSystem::Exists(const std::string& path) const {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

std::error_code TPosixFileSystem::CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 ? std::error_code() : LastError();
}

std::error_code TPosixFileSystem::WriteAccess(const std::string& path) const {
  struct statvfs medium;
  if (::statvfs(OsPath(path), &medium) != 0) return LastError();
  if ((medium.f_flag & ST_RDONLY) != 0) return std::make_error_code(std::errc::read_only_file_system);
  // Making an entry takes the right to write into the folder and to search it; as the run's own
  // calls, with the effective user and its capabilities.
  if (::faccessat(AT_FDCWD, OsPath(path), W_OK | X_OK, AT_EACCESS) != 0) return LastError();
  return {};
}

// PATH_MAX counts the terminating null byte.
std::size_t TPosixFileSystem::LongestPath() const { return PATH_MAX - 1; }

std::optional<TFileFacts> TPosixFileSystem::FileFacts(const std::string& path) const {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FactsOf(status);
}

std::unique_ptr<TReadableFile> TPosixFileSystem::OpenRead(const std::string& path, std::error_code& error) const {
  TFileFacts facts;
  TDescriptor fd = OpenRegularFile(path, error, &facts);
  if (error) return nullptr;
  return std::make_unique<TPosixReadableFile>(std::move(fd), facts);
}

std::optional<std::string> TPosixFileSystem::ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                                           std::error_code& error) const {
  TDescriptor fd = OpenRegularFile(path, error);
  if (error) return std::nullopt;
  std::string content;
  std::array<char, 1 << 16> buffer;
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = LastError();
      return std::nullopt;
    }
    if (got == 0) return content;
    // content.size() never exceeds maxSize, so the difference cannot wrap.
    if (static_cast<std::uint64_t>(got) > maxSize - content.size()) {
      error = std::make_error_code(std::errc::file_too_large);
      return std::nullopt;
    }
    content.append(buffer.data(), static_cast<std::size_t>(got));
  }
}

TFileSystem& NativeFileSystem() {
  static TPosixFileSystem fileSystem(SystemCopyCalls(), CopyRoadFromEnvironment());
  return fileSystem;
}

}  // namespace kalvero

// The file system of POSIX systems: listing, folders, facts and reading.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/file_names.h"
#include "platform/posix/posix_file_system.h"

namespace kalvero {

const char kPathSeparator = '/';

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

const char* OsPath(const std::string& path) { return path.empty() ? "." : path.c_str(); }

TFileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

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

 private:
  TDescriptor fd_;
  TFileFacts facts_;
  std::uint64_t position_ = 0;
};

// Classifies one directory entry, following links; none for anything but a folder or a regular
// file. The directory's own type hint saves a status query for plain files.
std::optional<TFolderEntry> ClassifyEntry(int folderFd, const dirent& entry) {
  TFolderEntry result{entry.d_name, TEntryKind::File, IsHiddenName(entry.d_name), {}};
  if (entry.d_type == DT_REG) return result;
  struct stat status;
  if (::fstatat(folderFd, entry.d_name, &status, 0) != 0) return std::nullopt;
  if (S_ISREG(status.st_mode)) return result;
  if (!S_ISDIR(status.st_mode)) return std::nullopt;
  result.kind = TEntryKind::Folder;
  result.identity = IdentityOf(status);
  return result;
}

}  // namespace

TFileFacts FactsOf(const struct stat& status) {
  return {std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
          static_cast<std::uint64_t>(status.st_size)};
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

std::vector<TFolderEntry> TPosixFileSystem::ListFolder(const std::string& folder) const {
  std::vector<TFolderEntry> entries;
  DIR* stream = ::opendir(OsPath(folder));
  if (stream == nullptr) return entries;
  while (const dirent* entry = ::readdir(stream)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (auto classified = ClassifyEntry(::dirfd(stream), *entry)) entries.push_back(std::move(*classified));
  }
  ::closedir(stream);
  std::ranges::sort(entries, NameLess, &TFolderEntry::name);
  return entries;
}

std::optional<TFileIdentity> TPosixFileSystem::FolderIdentity(const std::string& path) const {
  struct stat status;
  if (::stat(OsPath(path), &status) != 0 || !S_ISDIR(status.st_mode)) return std::nullopt;
  return IdentityOf(status);
}

bool TPosixFileSystem::Exists(const std::string& path) const {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

std::error_code TPosixFileSystem::CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 ? std::error_code() : LastError();
}

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
  static TPosixFileSystem fileSystem;
  return fileSystem;
}

}  // namespace kalvero

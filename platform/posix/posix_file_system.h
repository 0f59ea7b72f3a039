#pragma once

// The POSIX file system, shared by the files that implement it.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/file_system.h"
#include "platform/posix/copy_calls.h"

namespace kalvero {

// Owns an open file descriptor.
class TDescriptor {
 public:
  explicit TDescriptor(int fd = -1) : fd_(fd) {}
  TDescriptor(TDescriptor&& other) noexcept : fd_(other.Release()) {}
  TDescriptor& operator=(TDescriptor&&) = delete;
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// The error of the system call that failed last.
inline std::error_code LastError() { return {errno, std::generic_category()}; }

// Writes all of `content` to `fd`, going on after interrupted and partial writes; answers the
// first error.
std::error_code WriteAll(int fd, std::string_view content);

// Opens a regular file read-only without blocking (so a FIFO cannot hang the caller) and checks
// its type before anything is read. On failure the descriptor is empty and `error` says why;
// on success `facts`, when given, receives the file's last-write time and size.
TDescriptor OpenRegularFile(const std::string& path, std::error_code& error, TFileFacts* facts = nullptr);

// The identity, and all the facts, of a file from its status.
TFileIdentity IdentityOf(const struct stat& status);
TFileFacts FactsOf(const struct stat& status);

class TPosixFileSystem final : public TFileSystem {
 public:
  // Copies use `calls` and start on `road`, falling back to the later roads where the file system
  // lacks what the earlier ones need.
  explicit TPosixFileSystem(const TCopyCalls& calls = SystemCopyCalls(), TCopyRoad road = TCopyRoad::UnnamedFile)
      : calls_(calls), road_(road) {}

  std::vector<TFolderEntry> ListFolder(const std::string& folder,
                                       std::vector<TUnreadableEntry>* unreadable = nullptr) const override;
  std::optional<TFileIdentity> FolderIdentity(const std::string& path, std::error_code* why = nullptr) const override;
  bool Exists(const std::string& path) const override;
  std::error_code CreateFolder(const std::string& path) override;
  std::optional<TFileFacts> FileFacts(const std::string& path) const override;
  std::unique_ptr<TTargetFolder> OpenTargetFolder(const std::string& path, std::error_code& error) override;
  std::unique_ptr<TTargetFolder> OpenRecordedFolder(const std::string& path, std::error_code& error) override;
  TRemoval RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                             std::size_t leaving) override;
  std::error_code WriteAccess(const std::string& path) const override;
  std::size_t LongestPath() const override;
  std::unique_ptr<TReadableFile> OpenRead(const std::string& path, std::error_code& error) const override;
  std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                           std::error_code& error) const override;
  std::error_code ReplaceFileContent(const std::string& path, std::string_view content) override;

 private:
  // The target folder `path`; with `followLink` false, a path that is a link itself is refused.
  std::unique_ptr<TTargetFolder> OpenFolder(const std::string& path, bool followLink, std::error_code& error) const;

  TCopyCalls calls_;
  TCopyRoad road_;
};

}  // namespace kalvero

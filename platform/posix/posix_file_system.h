#pragma once

// The POSIX file system, shared by the files that implement it.

#include <unistd.h>

#include <utility>

#include "platform/file_system.h"

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

 private:
  int fd_;
};

// Opens a regular file read-only without blocking (so a FIFO cannot hang the caller) and checks
// its type before anything is read. On failure the descriptor is empty and `error` says why;
// on success `facts`, when given, receives the file's last-write time and size.
TDescriptor OpenRegularFile(const std::string& path, std::error_code& error, TFileFacts* facts = nullptr);

class TPosixFileSystem final : public TFileSystem {
 public:
  std::vector<TFolderEntry> ListFolder(const std::string& folder) const override;
  std::optional<TFileIdentity> FolderIdentity(const std::string& path) const override;
  bool Exists(const std::string& path) const override;
  std::error_code CreateFolder(const std::string& path) override;
  std::optional<TFileFacts> FileFacts(const std::string& path) const override;
  std::error_code CopyToNewFile(const std::string& source, const std::string& target) override;
  std::unique_ptr<TReadableFile> OpenRead(const std::string& path, std::error_code& error) const override;
  std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                           std::error_code& error) const override;
  std::error_code ReplaceFileContent(const std::string& path, std::string_view content) override;
};

}  // namespace kalvero

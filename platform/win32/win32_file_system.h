#pragma once

// The file system of Windows, over the wide Win32 API; every path goes through ApiPath.

#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {

// Opens whatever is at `path` (the current folder for the empty text), following links and
// junctions, with `access` and every other opener let in; folders open too. On failure the handle
// is invalid and `error` says why.
TWinHandle OpenEntry(const std::string& path, DWORD access, std::error_code& error);

class TWin32FileSystem final : public TFileSystem {
 public:
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
};

}  // namespace kalvero

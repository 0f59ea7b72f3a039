#pragma once

// A file system that hands every call on to another one. A file system that changes a few answers
// of another (a plan over the real one, a slow disk in a test) derives from it and overrides only
// those.

#include "platform/file_system.h"

namespace kalvero {

class TFileSystemWrapper : public TFileSystem {
 public:
  explicit TFileSystemWrapper(TFileSystem& inner) : inner_(inner) {}

  std::vector<TFolderEntry> ListFolder(const std::string& folder,
                                       std::vector<TUnreadableEntry>* unreadable = nullptr) const override {
    return inner_.ListFolder(folder, unreadable);
  }
  std::optional<TFileIdentity> FolderIdentity(const std::string& path, std::error_code* why = nullptr) const override {
    return inner_.FolderIdentity(path, why);
  }
  bool Exists(const std::string& path) const override { return inner_.Exists(path); }
  std::error_code CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  std::optional<TFileFacts> FileFacts(const std::string& path) const override { return inner_.FileFacts(path); }
  std::unique_ptr<TTargetFolder> OpenTargetFolder(const std::string& path, std::error_code& error) override {
    return inner_.OpenTargetFolder(path, error);
  }
  std::unique_ptr<TTargetFolder> OpenRecordedFolder(const std::string& path, std::error_code& error) override {
    return inner_.OpenRecordedFolder(path, error);
  }
  TRemoval RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                             std::size_t leaving) override {
    return inner_.RemoveEmptyFolder(path, identity, checkOnly, leaving);
  }
  std::error_code WriteAccess(const std::string& path) const override { return inner_.WriteAccess(path); }
  std::size_t LongestPath() const override { return inner_.LongestPath(); }
  std::unique_ptr<TReadableFile> OpenRead(const std::string& path, std::error_code& error) const override {
    return inner_.OpenRead(path, error);
  }
  std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                           std::error_code& error) const override {
    return inner_.ReadWholeFile(path, maxSize, error);
  }
  std::error_code ReplaceFileContent(const std::string& path, std::string_view content) override {
    return inner_.ReplaceFileContent(path, content);
  }

 protected:
  // The file system the calls go to.
  TFileSystem& Inner() const { return inner_; }

 private:
  TFileSystem& inner_;
};

}  // namespace kalvero

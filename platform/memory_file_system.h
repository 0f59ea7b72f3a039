#pragma once

// An in-memory file system for tests and fuzzing: folders, regular files, links to folders,
// "special" entries (a FIFO, say), entries that cannot be examined, and injected failures that a
// real file system cannot be made to produce for root. A target folder follows the native rules:
// a link below it is never followed. Every entry has an inode number of its own (device 0), and a
// file's change time moves on with every change, as the native ones do.
//
// Paths are split at '/' and at the native separator, empty parts ignored, so "a//b/" is "a/b";
// every path is relative to the one root, which the empty text names.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kalvero {

class TMemoryFileSystem final : public TFileSystem {
 public:
  TMemoryFileSystem();

  // Each creates the missing parent folders; an existing entry of that name is replaced.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string content, std::int64_t lastWriteNanoseconds = 0);
  // A link at `path` to the folder at `target`: both names reach the same folder, except below a
  // target folder, where a link is no folder. An existing entry of that name is replaced.
  void AddFolderLink(const std::string& path, const std::string& target);
  // An entry that is neither folder nor regular file: never listed, never opened.
  void AddSpecial(const std::string& path);
  // An entry whose type cannot be found out for `reason`; `link` makes it a link that leads
  // nowhere (no_such_file_or_directory) or round in a loop (too_many_symbolic_link_levels).
  void AddUnreadable(const std::string& path, std::errc reason, bool link = false);

  // Makes OpenRead and ReadWholeFile, CreateFolder, a copy to, or a replacement of exactly this
  // path fail with `error`; a failed copy leaves no target behind, a failed replacement leaves the
  // old content.
  void FailOpen(const std::string& path, std::errc error);
  void FailCreateFolder(const std::string& path, std::errc error);
  void FailCopyTo(const std::string& target, std::errc error);
  void FailReplace(const std::string& path, std::errc error);
  // Makes removing exactly this file fail with `error` (an immutable file: operation_not_permitted).
  void FailRemove(const std::string& path, std::errc error);
  // Makes listing exactly this folder fail with `error`: it has no entries, and says why.
  void FailList(const std::string& folder, std::errc error);
  // Makes every flush of a target folder fail with `error`.
  void FailFlush(std::errc error) { flushFailure_ = error; }

  // Takes the write permission from an existing file or folder, for the user that the fake stands
  // for: replacing the file's content, or making anything in the folder, is then refused.
  void MakeReadOnly(const std::string& path);

  // The content of a regular file; none when there is no such file.
  std::optional<std::string> FileContent(const std::string& path) const;

  // How much the file system was asked, so that tests can hold the reader to a few reads.
  struct TUsage {
    int factQueries = 0;
    int opens = 0;
    int reads = 0;
    std::size_t bytesRead = 0;
    int copiesRead = 0;  // sources whose bytes a copy read
    int flushes = 0;
  };
  mutable TUsage usage;

  std::vector<TFolderEntry> ListFolder(const std::string& folder,
                                       std::vector<TUnreadableEntry>* unreadable = nullptr) const override;
  std::optional<TFileIdentity> FolderIdentity(const std::string& path, std::error_code* why = nullptr) const override;
  bool Exists(const std::string& path) const override { return Find(path) != nullptr; }
  std::error_code CreateFolder(const std::string& path) override;
  std::optional<TFileFacts> FileFacts(const std::string& path) const override;
  std::unique_ptr<TTargetFolder> OpenTargetFolder(const std::string& path, std::error_code& error) override;
  std::unique_ptr<TTargetFolder> OpenRecordedFolder(const std::string& path, std::error_code& error) override;
  TRemoval RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                             std::size_t leaving) override;
  std::error_code WriteAccess(const std::string& path) const override;
  // As on Linux; a longer path is refused where a folder is made or opened by its path.
  std::size_t LongestPath() const override { return 4095; }
  std::unique_ptr<TReadableFile> OpenRead(const std::string& path, std::error_code& error) const override;
  std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                           std::error_code& error) const override;
  std::error_code ReplaceFileContent(const std::string& path, std::string_view content) override;

 private:
  class TMemoryTargetFolder;
  enum class TNodeKind { Folder, File, Special, Unreadable };
  struct TNode {
    TNodeKind kind = TNodeKind::Folder;
    std::uint64_t inode = 0;
    std::string content;
    std::int64_t lastWriteNanoseconds = 0;
    std::int64_t changeNanoseconds = 0;
    bool readOnly = false;
    std::errc unreadableReason{};
    bool unreadableLink = false;
    std::map<std::string, TNode*> children;  // links may share a node, so the tree owns none
    std::set<std::string> links;             // the children that are links to folders
  };

  static std::vector<std::string> SplitPath(const std::string& path);
  TNode* Find(const std::string& path) const;
  // The folder that holds the last part of `path`, created with its parents when missing.
  TNode& ParentFolder(const std::vector<std::string>& parts);
  // The existing folder that would hold the last part of `parts`, or why there is none.
  TNode* ExistingParent(const std::vector<std::string>& parts, std::error_code& error) const;
  TNode* NewNode(TNodeKind kind);
  // Moves the change time of `node` on.
  void Changed(TNode& node) { node.changeNanoseconds = ++lastChange_; }
  static TFileFacts FactsOf(const TNode& file) {
    return {file.lastWriteNanoseconds, file.content.size(), {0, file.inode}, file.changeNanoseconds};
  }
  // The regular file at `path`, or why it cannot be read.
  const TNode* ReadableFile(const std::string& path, std::error_code& error) const;

  std::vector<std::unique_ptr<TNode>> nodes_;  // every node ever made, the root first
  std::uint64_t nextInode_ = 1;                // before root_, whose making takes the first
  std::int64_t lastChange_ = 0;
  TNode* root_;
  std::map<std::vector<std::string>, std::errc> openFailures_;
  std::map<std::vector<std::string>, std::errc> createFailures_;
  std::map<std::vector<std::string>, std::errc> copyFailures_;
  std::map<std::vector<std::string>, std::errc> replaceFailures_;
  std::map<std::vector<std::string>, std::errc> removeFailures_;
  std::map<std::vector<std::string>, std::errc> listFailures_;
  std::optional<std::errc> flushFailure_;
};

}  // namespace kalvero

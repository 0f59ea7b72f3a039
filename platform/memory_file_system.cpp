#include "platform/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/file_names.h"

namespace kalvero {
namespace {

// Where a path is split: '/' and the native separator, as Windows takes both.
const std::string kSeparators = std::string("/") + kPathSeparator;

class TMemoryReadableFile final : public TReadableFile {
 public:
  TMemoryReadableFile(std::string content, const TFileFacts& facts, TMemoryFileSystem::TUsage& usage)
      : content_(std::move(content)), facts_(facts), usage_(usage) {}

  TFileFacts Facts() const override { return facts_; }

  std::size_t Read(std::span<std::byte> into) override {
    const std::size_t count = std::min(into.size(), content_.size() - position_);
    std::memcpy(into.data(), content_.data() + position_, count);
    position_ += count;
    ++usage_.reads;
    usage_.bytesRead += count;
    return count;
  }

  bool SeekTo(std::uint64_t offset) override {
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(offset, content_.size()));
    return true;
  }

 private:
  std::string content_;
  TFileFacts facts_;
  TMemoryFileSystem::TUsage& usage_;
  std::size_t position_ = 0;
};

}  // namespace

TMemoryFileSystem::TMemoryFileSystem() : root_(NewNode(TNodeKind::Folder)) {}

std::vector<std::string> TMemoryFileSystem::SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find_first_of(kSeparators, start), path.size());
    if (slash > start) parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

TMemoryFileSystem::TNode* TMemoryFileSystem::NewNode(TNodeKind kind) {
  auto& node = nodes_.emplace_back(std::make_unique<TNode>());
  node->kind = kind;
  node->inode = nextInode_++;
  Changed(*node);
  return node.get();
}

TMemoryFileSystem::TNode* TMemoryFileSystem::Find(const std::string& path) const {
  TNode* node = root_;
  for (const std::string& part : SplitPath(path)) {
    if (node->kind != TNodeKind::Folder) return nullptr;
    const auto child = node->children.find(part);
    if (child == node->children.end()) return nullptr;
    node = child->second;
  }
  return node;
}

TMemoryFileSystem::TNode& TMemoryFileSystem::ParentFolder(const std::vector<std::string>& parts) {
  TNode* node = root_;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    TNode*& child = node->children[parts[i]];
    if (!child || child->kind != TNodeKind::Folder) child = NewNode(TNodeKind::Folder);
    node = child;
  }
  return *node;
}

void TMemoryFileSystem::AddFolder(const std::string& path) {
  const auto parts = SplitPath(path);
  if (parts.empty()) return;
  auto& slot = ParentFolder(parts).children[parts.back()];
  if (!slot || slot->kind != TNodeKind::Folder) slot = NewNode(TNodeKind::Folder);
}

void TMemoryFileSystem::AddFile(const std::string& path, std::string content, std::int64_t lastWriteNanoseconds) {
  const auto parts = SplitPath(path);
  TNode* node = NewNode(TNodeKind::File);
  node->content = std::move(content);
  node->lastWriteNanoseconds = lastWriteNanoseconds;
  ParentFolder(parts).children[parts.back()] = node;
}

void TMemoryFileSystem::AddFolderLink(const std::string& path, const std::string& target) {
  AddFolder(target);
  const auto parts = SplitPath(path);
  TNode& parent = ParentFolder(parts);
  parent.children[parts.back()] = Find(target);
  parent.links.insert(parts.back());
}

void TMemoryFileSystem::AddSpecial(const std::string& path) {
  const auto parts = SplitPath(path);
  ParentFolder(parts).children[parts.back()] = NewNode(TNodeKind::Special);
}

void TMemoryFileSystem::AddUnreadable(const std::string& path, std::errc reason, bool link) {
  const auto parts = SplitPath(path);
  TNode* node = NewNode(TNodeKind::Unreadable);
  node->unreadableReason = reason;
  node->unreadableLink = link;
  ParentFolder(parts).children[parts.back()] = node;
}

void TMemoryFileSystem::FailList(const std::string& folder, std::errc error) {
  listFailures_[SplitPath(folder)] = error;
}

void TMemoryFileSystem::FailOpen(const std::string& path, std::errc error) { openFailures_[SplitPath(path)] = error; }

void TMemoryFileSystem::FailCreateFolder(const std::string& path, std::errc error) {
  createFailures_[SplitPath(path)] = error;
}

std::optional<std::string> TMemoryFileSystem::FileContent(const std::string& path) const {
  const auto node = Find(path);
  if (!node || node->kind != TNodeKind::File) return std::nullopt;
  return node->content;
}

std::vector<TFolderEntry> TMemoryFileSystem::ListFolder(const std::string& folder,
                                                        std::vector<TUnreadableEntry>* unreadable) const {
  std::vector<TFolderEntry> entries;
  const auto node = Find(folder);
  const auto failure = listFailures_.find(SplitPath(folder));
  if (!node || node->kind != TNodeKind::Folder || failure != listFailures_.end()) {
    const std::errc reason = failure != listFailures_.end() ? failure->second
                             : node                         ? std::errc::not_a_directory
                                                            : std::errc::no_such_file_or_directory;
    if (unreadable != nullptr) unreadable->push_back({"", std::make_error_code(reason)});
    return entries;
  }
  for (const auto& [name, child] : node->children) {
    if (child->kind == TNodeKind::Unreadable && unreadable != nullptr)
      unreadable->push_back({name, std::make_error_code(child->unreadableReason), child->unreadableLink});
    if (child->kind == TNodeKind::Special || child->kind == TNodeKind::Unreadable) continue;
    const bool isFolder = child->kind == TNodeKind::Folder;
    entries.push_back({name, isFolder ? TEntryKind::Folder : TEntryKind::File, IsHiddenName(name),
                       isFolder ? TFileIdentity{0, child->inode} : TFileIdentity{}});
  }
  std::ranges::sort(entries, NameLess, &TFolderEntry::name);
  if (unreadable != nullptr) std::ranges::sort(*unreadable, NameLess, &TUnreadableEntry::name);
  return entries;
}

std::optional<TFileIdentity> TMemoryFileSystem::FolderIdentity(const std::string& path, std::error_code* why) const {
  const auto node = Find(path);
  if (!node || node->kind != TNodeKind::Folder) {
    if (why != nullptr)
      *why = std::make_error_code(node ? std::errc::not_a_directory : std::errc::no_such_file_or_directory);
    return std::nullopt;
  }
  return TFileIdentity{0, node->inode};
}

void TMemoryFileSystem::FailCopyTo(const std::string& target, std::errc error) {
  copyFailures_[SplitPath(target)] = error;
}

TMemoryFileSystem::TNode* TMemoryFileSystem::ExistingParent(const std::vector<std::string>& parts,
                                                            std::error_code& error) const {
  TNode* node = root_;
  for (const auto& part : std::span(parts).first(parts.size() - 1)) {
    const auto child = node->children.find(part);
    if (child == node->children.end()) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return nullptr;
    }
    if (child->second->kind != TNodeKind::Folder) {
      error = std::make_error_code(std::errc::not_a_directory);
      return nullptr;
    }
    node = child->second;
  }
  return node;
}

std::error_code TMemoryFileSystem::CreateFolder(const std::string& path) {
  const auto parts = SplitPath(path);
  if (const auto failure = createFailures_.find(parts); failure != createFailures_.end())
    return std::make_error_code(failure->second);
  if (path.size() > LongestPath()) return std::make_error_code(std::errc::filename_too_long);
  if (parts.empty() || Find(path)) return std::make_error_code(std::errc::file_exists);
  std::error_code error;
  TNode* parent = ExistingParent(parts, error);
  if (parent == nullptr) return error;
  if (parent->readOnly) return std::make_error_code(std::errc::permission_denied);
  parent->children[parts.back()] = NewNode(TNodeKind::Folder);
  return {};
}

// A target folder of the fake: the folder node and its path, for the injected failures.
class TMemoryFileSystem::TMemoryTargetFolder final : public TTargetFolder {
 public:
  TMemoryTargetFolder(TMemoryFileSystem& fileSystem, TNode& folder, std::string path)
      : fs_(fileSystem), folder_(folder), path_(std::move(path)) {}

  std::error_code MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) override {
    if (made != nullptr) made->reset();
    const auto [parentPath, leaf] = SplitLastName(name);
    const std::string parentName(parentPath);
    TNode* parent = parentName.empty() ? &folder_ : Folder(parentName);
    if (parent == nullptr) return NoFolder(parentName);
    if (!IsSinglePathComponent(leaf)) return std::make_error_code(std::errc::invalid_argument);
    const std::string path = path_ + "/" + name;
    const std::string last(leaf);
    if (parent->children.contains(last))
      return Folder(name) ? std::error_code() : std::make_error_code(std::errc::not_a_directory);
    if (const auto failure = fs_.createFailures_.find(SplitPath(path)); failure != fs_.createFailures_.end())
      return std::make_error_code(failure->second);
    if (parent->readOnly) return std::make_error_code(std::errc::permission_denied);
    const TNode* folder = parent->children[last] = fs_.NewNode(TNodeKind::Folder);
    if (made != nullptr) *made = TFileIdentity{0, folder->inode};
    return {};
  }

  TFileIdentity Identity() const override { return {0, folder_.inode}; }

  std::optional<TFileFacts> Facts(const std::string& folder, const std::string& name) const override {
    const TNode* in = folder.empty() ? &folder_ : Folder(folder);
    const auto child = in == nullptr ? folder_.children.end() : in->children.find(name);
    if (in == nullptr || child == in->children.end() || child->second->kind != TNodeKind::File) return std::nullopt;
    return FactsOf(*child->second);
  }

  bool HoldsSameBytes(const std::string& folder, const std::string& name, const std::string& source) const override {
    const TNode* in = folder.empty() ? &folder_ : Folder(folder);
    const auto child = in == nullptr ? folder_.children.end() : in->children.find(name);
    if (in == nullptr || child == in->children.end() || child->second->kind != TNodeKind::File ||
        in->links.contains(name))
      return false;
    const auto original = fs_.FileContent(source);
    return original && *original == child->second->content;
  }

  TEntryLook LookUp(const std::string& folder, const std::string& name) const override {
    const TNode* in = folder.empty() ? &folder_ : Folder(folder);
    if (in == nullptr) return TEntryLook::Absent;
    const auto child = in->children.find(name);
    if (child == in->children.end()) return TEntryLook::Absent;
    return child->second->kind == TNodeKind::Folder && !in->links.contains(name) ? TEntryLook::Folder
                                                                                  : TEntryLook::Other;
  }

  std::error_code CopyInto(const std::string& source, const std::string& folder, const std::string& name,
                           TFileFacts* copied) override {
    TNode* into = folder.empty() ? &folder_ : Folder(folder);
    if (into == nullptr) return NoFolder(folder);
    if (into->children.contains(name)) return std::make_error_code(std::errc::file_exists);
    std::error_code error;
    const TNode* from = fs_.ReadableFile(source, error);
    if (from == nullptr) return error;
    if (into->readOnly) return std::make_error_code(std::errc::permission_denied);
    ++fs_.usage.copiesRead;
    const auto failure = fs_.copyFailures_.find(SplitPath(path_ + "/" + folder + "/" + name));
    if (failure != fs_.copyFailures_.end()) return std::make_error_code(failure->second);
    TNode* copy = fs_.NewNode(TNodeKind::File);
    copy->content = from->content;
    copy->lastWriteNanoseconds = from->lastWriteNanoseconds;
    into->children[name] = copy;
    if (copied != nullptr) *copied = FactsOf(*copy);
    return {};
  }

  TRemoval RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts& copy,
                      const std::string& source, bool checkOnly) override {
    TNode* in = folder.empty() ? &folder_ : Folder(folder);
    if (in == nullptr) return NoFolderToRemoveFrom(folder);
    const auto child = in->children.find(name);
    if (child == in->children.end()) return TRemovalVerdict::Gone;
    const TNode& file = *child->second;
    if (file.kind != TNodeKind::File || in->links.contains(name)) return TRemovalVerdict::NotRegularFile;
    if (FactsOf(file) != copy) return TRemovalVerdict::Changed;
    if (const auto original = fs_.FileContent(source); original && *original != file.content)
      return TRemovalVerdict::BytesDiffer;
    if (checkOnly) return {};
    const std::string path = path_ + "/" + folder + "/" + name;
    if (const auto failure = fs_.removeFailures_.find(SplitPath(path)); failure != fs_.removeFailures_.end())
      return {TRemovalVerdict::Failed, std::make_error_code(failure->second)};
    in->children.erase(child);
    return {};
  }

  TRemoval RemoveFolder(const std::string& name, const TFileIdentity& identity, bool checkOnly,
                        std::size_t leaving) override {
    const TNode* folder = Folder(name);
    if (folder == nullptr) return NoFolderToRemoveFrom(name);
    const TRemoval removal = EmptyFolder(*folder, identity, checkOnly, leaving);
    const auto [parentPath, leaf] = SplitLastName(name);
    if (removal == TRemoval() && !checkOnly)
      (parentPath.empty() ? folder_ : *Folder(std::string(parentPath))).children.erase(std::string(leaf));
    return removal;
  }

  // Whether `folder` is the folder `identity` and empty; with `checkOnly`, whether it holds no more
  // than `leaving` entries.
  static TRemoval EmptyFolder(const TNode& folder, const TFileIdentity& identity, bool checkOnly,
                              std::size_t leaving) {
    if (TFileIdentity{0, folder.inode} != identity) return TRemovalVerdict::FolderReplaced;
    if (folder.children.size() > (checkOnly ? leaving : 0))
      return {TRemovalVerdict::Failed, std::make_error_code(std::errc::directory_not_empty)};
    return {};
  }

  std::error_code Flush() override {
    ++fs_.usage.flushes;
    return fs_.flushFailure_ ? std::make_error_code(*fs_.flushFailure_) : std::error_code();
  }

 private:
  // The folder `path` below, a level or several, each level never through a link; none for a path
  // with an empty level, "." or "..".
  TNode* Folder(const std::string& path) const {
    TNode* level = &folder_;
    for (const std::string& name : PathNames(path)) {
      const auto child = level->children.find(name);
      if (!IsSinglePathComponent(name) || child == level->children.end() || level->links.contains(name) ||
          child->second->kind != TNodeKind::Folder)
        return nullptr;
      level = child->second;
    }
    return level;
  }

  // Why `path` is no folder below, as the native file system answers: a bad path, nothing of that
  // name at a level, or something that is no folder (a link included).
  std::error_code NoFolder(const std::string& path) const {
    const TNode* level = &folder_;
    for (const std::string& name : PathNames(path)) {
      if (!IsSinglePathComponent(name)) return std::make_error_code(std::errc::invalid_argument);
      const auto child = level->children.find(name);
      if (child == level->children.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
      if (level->links.contains(name) || child->second->kind != TNodeKind::Folder) break;
      level = child->second;
    }
    return std::make_error_code(std::errc::not_a_directory);
  }
  // The same for taking a run back.
  TRemoval NoFolderToRemoveFrom(const std::string& path) const {
    const std::error_code error = NoFolder(path);
    if (error == std::errc::no_such_file_or_directory) return TRemovalVerdict::Gone;
    if (error == std::errc::not_a_directory) return TRemovalVerdict::FolderReplaced;
    return {TRemovalVerdict::Failed, error};
  }

  TMemoryFileSystem& fs_;
  TNode& folder_;
  std::string path_;
};

std::unique_ptr<TTargetFolder> TMemoryFileSystem::OpenRecordedFolder(const std::string& path, std::error_code& error) {
  const auto parts = SplitPath(path);
  std::error_code missing;
  const TNode* parent = parts.empty() ? nullptr : ExistingParent(parts, missing);
  if (parent != nullptr && parent->links.contains(parts.back())) {
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return nullptr;
  }
  return OpenTargetFolder(path, error);
}

TRemoval TMemoryFileSystem::RemoveEmptyFolder(const std::string& path, const TFileIdentity& identity, bool checkOnly,
                                              std::size_t leaving) {
  const auto parts = SplitPath(path);
  std::error_code error;
  TNode* parent = parts.empty() ? nullptr : ExistingParent(parts, error);
  if (parent == nullptr) return error == std::errc::not_a_directory ? TRemovalVerdict::FolderReplaced
                                                                    : TRemovalVerdict::Gone;
  const auto child = parent->children.find(parts.back());
  if (child == parent->children.end()) return TRemovalVerdict::Gone;
  if (child->second->kind != TNodeKind::Folder || parent->links.contains(parts.back()))
    return TRemovalVerdict::FolderReplaced;
  const TRemoval removal = TMemoryTargetFolder::EmptyFolder(*child->second, identity, checkOnly, leaving);
  if (removal == TRemoval() && !checkOnly) parent->children.erase(child);
  return removal;
}

std::error_code TMemoryFileSystem::WriteAccess(const std::string& path) const {
  const TNode* folder = Find(path);
  if (folder == nullptr) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (folder->kind != TNodeKind::Folder) return std::make_error_code(std::errc::not_a_directory);
  return folder->readOnly ? std::make_error_code(std::errc::permission_denied) : std::error_code();
}

std::unique_ptr<TTargetFolder> TMemoryFileSystem::OpenTargetFolder(const std::string& path, std::error_code& error) {
  if (path.size() > LongestPath()) {
    error = std::make_error_code(std::errc::filename_too_long);
    return nullptr;
  }
  TNode* folder = Find(path);
  if (folder == nullptr || folder->kind != TNodeKind::Folder) {
    error = std::make_error_code(folder ? std::errc::not_a_directory : std::errc::no_such_file_or_directory);
    return nullptr;
  }
  error.clear();
  return std::make_unique<TMemoryTargetFolder>(*this, *folder, path);
}

std::optional<TFileFacts> TMemoryFileSystem::FileFacts(const std::string& path) const {
  ++usage.factQueries;
  const auto node = Find(path);
  if (!node || node->kind != TNodeKind::File) return std::nullopt;
  return FactsOf(*node);
}

const TMemoryFileSystem::TNode* TMemoryFileSystem::ReadableFile(const std::string& path,
                                                                 std::error_code& error) const {
  if (const auto failure = openFailures_.find(SplitPath(path)); failure != openFailures_.end()) {
    error = std::make_error_code(failure->second);
    return nullptr;
  }
  const auto node = Find(path);
  if (!node) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return nullptr;
  }
  if (node->kind != TNodeKind::File) {
    error = std::make_error_code(node->kind == TNodeKind::Folder ? std::errc::is_a_directory
                                                                 : std::errc::invalid_argument);
    return nullptr;
  }
  error.clear();
  return node;
}

std::unique_ptr<TReadableFile> TMemoryFileSystem::OpenRead(const std::string& path, std::error_code& error) const {
  const TNode* node = ReadableFile(path, error);
  if (node == nullptr) return nullptr;
  ++usage.opens;
  return std::make_unique<TMemoryReadableFile>(node->content, FactsOf(*node), usage);
}

std::optional<std::string> TMemoryFileSystem::ReadWholeFile(const std::string& path, std::uint64_t maxSize,
                                                            std::error_code& error) const {
  const TNode* node = ReadableFile(path, error);
  if (node == nullptr) return std::nullopt;
  if (node->content.size() > maxSize) {
    error = std::make_error_code(std::errc::file_too_large);
    return std::nullopt;
  }
  return node->content;
}

void TMemoryFileSystem::FailReplace(const std::string& path, std::errc error) {
  replaceFailures_[SplitPath(path)] = error;
}

void TMemoryFileSystem::FailRemove(const std::string& path, std::errc error) {
  removeFailures_[SplitPath(path)] = error;
}

void TMemoryFileSystem::MakeReadOnly(const std::string& path) {
  if (TNode* node = Find(path); node && (node->kind == TNodeKind::File || node->kind == TNodeKind::Folder))
    node->readOnly = true;
}

std::error_code TMemoryFileSystem::ReplaceFileContent(const std::string& path, std::string_view content) {
  const auto parts = SplitPath(path);
  if (parts.empty()) return std::make_error_code(std::errc::is_a_directory);
  std::error_code error;
  TNode* parent = ExistingParent(parts, error);
  if (parent == nullptr) return error;
  const auto existing = parent->children.find(parts.back());
  TNode* node = existing == parent->children.end() ? nullptr : existing->second;
  if (node && node->kind == TNodeKind::Folder) return std::make_error_code(std::errc::is_a_directory);
  if (node && node->kind == TNodeKind::Special) return std::make_error_code(std::errc::invalid_argument);
  if (node && node->readOnly) return std::make_error_code(std::errc::permission_denied);
  if (const auto failure = replaceFailures_.find(parts); failure != replaceFailures_.end())
    return std::make_error_code(failure->second);
  if (!node) node = parent->children[parts.back()] = NewNode(TNodeKind::File);
  node->content = content;
  Changed(*node);
  return {};
}

}  // namespace kalvero

#include "platform/planning_file_system.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/file_names.h"

namespace kalvero {
namespace {

// What taking back an entry that is not in the plan answers: nothing real is ever removed.
TRemoval NotPlanned() { return {TRemovalVerdict::Failed, std::make_error_code(std::errc::operation_not_permitted)}; }

// Whether `path` is a relative path of names, as a target folder takes it.
bool IsRelativePath(const std::string& path) { return std::ranges::all_of(PathNames(path), IsSinglePathComponent); }

// Whether the files `first` and `second` hold the same bytes; false when either cannot be read.
bool SameContent(TFileSystem& fileSystem, const std::string& first, const std::string& second) {
  std::error_code error;
  const auto one = fileSystem.OpenRead(first, error);
  const auto other = one ? fileSystem.OpenRead(second, error) : nullptr;
  if (!one || !other || one->Facts().size != other->Facts().size) return false;
  std::vector<std::byte> ours(1 << 16), theirs(1 << 16);
  for (;;) {
    const std::size_t got = one->Read(ours);
    const auto end = ours.begin() + static_cast<std::ptrdiff_t>(got);
    if (other->Read({theirs.data(), got}) != got || !std::equal(ours.begin(), end, theirs.begin())) return false;
    if (got < ours.size()) return true;
  }
}

// A target folder that answers from the real one, when there is one, and from its plan. What the
// real folders refuse to this user is refused as the run's own calls would.
class TPlanningTargetFolder final : public TTargetFolder {
 public:
  TPlanningTargetFolder(TFileSystem& real, std::unique_ptr<TTargetFolder> target, std::string path)
      : real_(real), target_(std::move(target)), path_(std::move(path)) {}

  std::error_code MakeFolder(const std::string& name, std::optional<TFileIdentity>* made) override {
    if (made != nullptr) made->reset();
    if (folders_.contains(name)) return {};
    if (!IsRelativePath(name)) return std::make_error_code(std::errc::invalid_argument);
    const auto [parentPath, leaf] = SplitLastName(name);
    const std::string parent(parentPath);
    // The outer levels are there, really or in the plan.
    if (!parent.empty() && !folders_.contains(parent))
      if (const std::error_code missing = RealFolder(parent)) return missing;
    switch (folders_.contains(parent) ? TEntryLook::Absent : RealLook(parent, std::string(leaf))) {
      case TEntryLook::Folder: return {};
      case TEntryLook::Other: return std::make_error_code(std::errc::not_a_directory);
      case TEntryLook::Absent: break;
    }
    if (const std::error_code refused = folders_.contains(parent) ? std::error_code() : RealWriteAccess(parent))
      return refused;
    folders_.insert(name);
    // An identity no real folder has, as the planned folders of the file system get.
    if (made != nullptr) *made = TFileIdentity{~std::uint64_t{0}, ~std::uint64_t{0} - folders_.size()};
    return {};
  }

  TFileIdentity Identity() const override { return target_ ? target_->Identity() : TFileIdentity{}; }

  std::error_code CopyInto(const std::string& source, const std::string& folder, const std::string& name,
                           TFileFacts* copy) override {
    if (!folder.empty() && !IsRelativePath(folder)) return std::make_error_code(std::errc::invalid_argument);
    if (!folder.empty() && !folders_.contains(folder))
      if (const std::error_code missing = RealFolder(folder)) return missing;
    if (LookUp(folder, name) != TEntryLook::Absent) return std::make_error_code(std::errc::file_exists);
    std::error_code error;
    const auto file = real_.OpenRead(source, error);
    if (!file) return error;
    if (const std::error_code refused = folders_.contains(folder) ? std::error_code() : RealWriteAccess(folder))
      return refused;
    // The copy's size and time are the source's; no copy exists to have an identity.
    if (copy != nullptr) *copy = {file->Facts().lastWriteNanoseconds, file->Facts().size, {}, 0};
    names_.insert({{folder, name}, source});
    return {};
  }

  TEntryLook LookUp(const std::string& folder, const std::string& name) const override {
    if (folders_.contains(folder.empty() ? name : folder + kPathSeparator + name)) return TEntryLook::Folder;
    if (names_.contains({folder, name})) return TEntryLook::Other;
    return folders_.contains(folder) ? TEntryLook::Absent : RealLook(folder, name);
  }

  std::optional<TFileFacts> Facts(const std::string& folder, const std::string& name) const override {
    return target_ ? target_->Facts(folder, name) : std::nullopt;
  }

  // A planned copy holds the bytes its source holds.
  bool HoldsSameBytes(const std::string& folder, const std::string& name, const std::string& source) const override {
    if (const auto planned = names_.find({folder, name}); planned != names_.end())
      return SameContent(real_, planned->second, source);
    return !folders_.contains(folder) && target_ && target_->HoldsSameBytes(folder, name, source);
  }

  std::error_code Flush() override { return {}; }
  // A planned copy or folder can be taken out of the plan; nothing real is ever removed.
  TRemoval RemoveCopy(const std::string& folder, const std::string& name, const TFileFacts&, const std::string&,
                      bool checkOnly) override {
    if (!names_.contains({folder, name})) return NotPlanned();
    if (!checkOnly) names_.erase({folder, name});
    return {};
  }
  TRemoval RemoveFolder(const std::string& name, const TFileIdentity&, bool checkOnly, std::size_t) override {
    if (!folders_.contains(name)) return NotPlanned();
    const auto inside = [&name](const std::string& folder) { return SplitLastName(folder).first == name; };
    if (std::ranges::any_of(names_, [&name](const auto& planned) { return planned.first.first == name; }) ||
        std::ranges::any_of(folders_, inside))
      return {TRemovalVerdict::Failed, std::make_error_code(std::errc::directory_not_empty)};
    if (!checkOnly) folders_.erase(name);
    return {};
  }

 private:
  TEntryLook RealLook(const std::string& folder, const std::string& name) const {
    return target_ ? target_->LookUp(folder, name) : TEntryLook::Absent;
  }

  // Why the real `folder` of the target, a level or several, is no folder reached without links, as
  // the run's calls would answer; nothing when it is one.
  std::error_code RealFolder(const std::string& folder) const {
    std::string above;
    for (const std::string& level : PathNames(folder)) {
      switch (RealLook(above, level)) {
        case TEntryLook::Folder: break;
        case TEntryLook::Other: return std::make_error_code(std::errc::not_a_directory);
        case TEntryLook::Absent: return std::make_error_code(std::errc::no_such_file_or_directory);
      }
      above = above.empty() ? level : above + kPathSeparator + level;
    }
    return {};
  }

  // Whether this user may write into the real `folder` of the target (the empty text: the target
  // itself); a target that is only planned takes everything.
  std::error_code RealWriteAccess(const std::string& folder) const {
    if (!target_) return {};
    return real_.WriteAccess(folder.empty() ? path_ : path_ + kPathSeparator + folder);
  }

  TFileSystem& real_;
  std::unique_ptr<TTargetFolder> target_;  // null for a target that is only planned
  std::string path_;                        // the target's path, for the questions to the real file system
  std::set<std::string> folders_;
  std::map<std::pair<std::string, std::string>, std::string> names_;  // planned copies, with their sources
};

}  // namespace

std::optional<TFileIdentity> TPlanningFileSystem::FolderIdentity(const std::string& path, std::error_code* why) const {
  if (const auto planned = planned_.find(path); planned != planned_.end()) return planned->second;
  return Inner().FolderIdentity(path, why);
}

std::error_code TPlanningFileSystem::WriteAccess(const std::string& path) const {
  return planned_.contains(path) ? std::error_code() : Inner().WriteAccess(path);
}

std::error_code TPlanningFileSystem::CreateFolder(const std::string& path) {
  // The system refuses a path that is too long before it looks at anything.
  if (path.size() > Inner().LongestPath()) return std::make_error_code(std::errc::filename_too_long);
  if (Exists(path)) return std::make_error_code(std::errc::file_exists);
  const std::string parent(ParentFolder(path));
  if (!parent.empty() && !FolderIdentity(parent)) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (const std::error_code refused = WriteAccess(parent)) return refused;
  // Identities no real folder has: device and inode at the top of their ranges.
  planned_.emplace(path, TFileIdentity{~std::uint64_t{0}, ~std::uint64_t{0} - plannedCount_++});
  return {};
}

std::unique_ptr<TTargetFolder> TPlanningFileSystem::OpenTargetFolder(const std::string& path, std::error_code& error) {
  error.clear();
  if (planned_.contains(path)) return std::make_unique<TPlanningTargetFolder>(Inner(), nullptr, path);
  auto target = Inner().OpenTargetFolder(path, error);
  if (!target) return nullptr;
  return std::make_unique<TPlanningTargetFolder>(Inner(), std::move(target), path);
}

}  // namespace kalvero

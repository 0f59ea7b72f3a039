#pragma once

// A file system that plans instead of writing, for a dry run. Every question about what is there
// is answered by the file system it stands for; every folder it is asked to make and every copy
// is taken as done and remembered, so that a run over it meets the same clashes as the real run
// (its own earlier names included) and writes nothing at all. It asks the real one whether this
// user may write where the run would, and refuses a path longer than the system takes, so that
// the plan meets the refusals of the medium too. On a file system that tells letter case apart
// the plan is exactly what the run would do.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/file_system_wrapper.h"

namespace kalvero {

class TPlanningFileSystem final : public TFileSystemWrapper {
 public:
  explicit TPlanningFileSystem(TFileSystem& real) : TFileSystemWrapper(real) {}

  std::optional<TFileIdentity> FolderIdentity(const std::string& path, std::error_code* why = nullptr) const override;
  bool Exists(const std::string& path) const override { return planned_.contains(path) || Inner().Exists(path); }
  // A folder whose parent is there and may be written, or is planned, is planned.
  std::error_code CreateFolder(const std::string& path) override;
  std::unique_ptr<TTargetFolder> OpenTargetFolder(const std::string& path, std::error_code& error) override;
  // A plan takes nothing real back; a planned folder is taken out of the plan.
  std::unique_ptr<TTargetFolder> OpenRecordedFolder(const std::string&, std::error_code& error) override {
    error = std::make_error_code(std::errc::operation_not_permitted);
    return nullptr;
  }
  TRemoval RemoveEmptyFolder(const std::string& path, const TFileIdentity&, bool checkOnly, std::size_t) override {
    if (!planned_.contains(path)) return {TRemovalVerdict::Failed, std::make_error_code(std::errc::operation_not_permitted)};
    if (!checkOnly) planned_.erase(path);
    return {};
  }
  // A planned folder may be written.
  std::error_code WriteAccess(const std::string& path) const override;
  // Never writes: refused.
  std::error_code ReplaceFileContent(const std::string&, std::string_view) override {
    return std::make_error_code(std::errc::operation_not_permitted);
  }

 private:
  // Planned folders by path, each with an identity of its own.
  std::map<std::string, TFileIdentity> planned_;
  std::uint64_t plannedCount_ = 0;  // folders ever planned, so that no two share an identity
};

}  // namespace kalvero

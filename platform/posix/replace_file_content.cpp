// Replacing a file's content in one step on POSIX systems: write a new file beside it, flush it
// and rename it over the old one.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/posix/posix_file_system.h"

namespace kalvero {
namespace {

// The path the new content is renamed to: `path` itself, or for a symbolic link its final
// target, so that the link stays a link.
std::error_code ResolveTarget(const std::string& path, std::string& target) {
  target = path;
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT ? std::error_code() : LastError();
  if (!S_ISLNK(status.st_mode)) return {};
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) return LastError();
  target = resolved.get();
  return {};
}

bool InUserGroups(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int listed = ::getgroups(count, groups.data());
  return listed > 0 && std::ranges::find(groups.begin(), groups.begin() + listed, group) != groups.begin() + listed;
}

// Judges by the permission bits alone, as the system does for any user but root: the class the
// user falls in (owner, group, others) decides. Root is held to the owner's bits too, so that a
// file made read-only is left alone by everyone.
bool WritableForUser(const struct stat& status) {
  if (status.st_uid == ::geteuid()) return (status.st_mode & S_IWUSR) != 0;
  if (InUserGroups(status.st_gid)) return (status.st_mode & S_IWGRP) != 0;
  return (status.st_mode & S_IWOTH) != 0;
}

// What the existing file at `target` allows: none when there is no file yet, else its status.
std::error_code CheckExisting(const std::string& target, std::optional<struct stat>& existing) {
  struct stat status;
  if (::stat(target.c_str(), &status) != 0) return errno == ENOENT ? std::error_code() : LastError();
  if (S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  if (!WritableForUser(status)) return std::make_error_code(std::errc::permission_denied);
  existing = status;
  return {};
}

// Creates a new hidden file in the folder of `target`, named after it; the name is never one that
// exists, so nothing is overwritten or followed.
TDescriptor CreateFileBeside(const std::string& target, std::string& created, std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".new-" + std::to_string(::getpid()) +
              "-" + std::to_string(counter++);
    TDescriptor fd(::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (fd.Get() >= 0 || errno != EEXIST) {
      error = fd.Get() >= 0 ? std::error_code() : LastError();
      return fd;
    }
  }
  error = std::make_error_code(std::errc::file_exists);
  return TDescriptor();
}

// Gives the new file the old one's owner (where the system lets the user, which root always may)
// and permission bits; the owner first, since a change of owner can clear set-id bits.
std::error_code TakeOverAttributes(int fd, const struct stat& old) {
  struct stat now;
  if (::fstat(fd, &now) != 0) return LastError();
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    // Refused for an ordinary user rewriting another user's file: the writer then owns it.
    const int ownerKept = ::fchown(fd, old.st_uid, old.st_gid);
    static_cast<void>(ownerKept);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? std::error_code() : LastError();
}

std::error_code FillNewFile(TDescriptor fd, std::string_view content, const std::optional<struct stat>& old) {
  std::error_code error = WriteAll(fd.Get(), content);
  if (!error && old) error = TakeOverAttributes(fd.Get(), *old);
  if (!error && ::fsync(fd.Get()) != 0) error = LastError();
  if (!error && ::close(fd.Release()) != 0) error = LastError();
  return error;
}

// Makes the rename itself durable; a folder that cannot be flushed does not undo the replacement.
void FlushFolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const TDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) ::fsync(fd.Get());
}

}  // namespace

std::error_code TPosixFileSystem::ReplaceFileContent(const std::string& path, std::string_view content) {
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::string target;
  std::optional<struct stat> existing;
  std::error_code error = ResolveTarget(path, target);
  if (!error) error = CheckExisting(target, existing);
  if (error) return error;

  std::string created;
  TDescriptor fd = CreateFileBeside(target, created, error);
  if (error) return error;
  error = FillNewFile(std::move(fd), content, existing);
  if (!error && ::rename(created.c_str(), target.c_str()) != 0) error = LastError();
  if (error) {
    ::unlink(created.c_str());
    return error;
  }
  FlushFolderOf(target);
  return {};
}

}  // namespace kalvero

#include "platform/posix/copy_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/environment.h"

namespace kalvero {
namespace {

int OpenUnnamed(int folder) { return ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600); }

int CreateNew(int folder, const char* name) {
  return ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
}

ssize_t CopyRange(int from, int to, size_t length) { return ::copy_file_range(from, nullptr, to, nullptr, length, 0); }

int LinkByHandle(int file, int folder, const char* name) { return ::linkat(file, "", folder, name, AT_EMPTY_PATH); }

int LinkThroughProc(int file, int folder, const char* name) {
  const std::string path = "/proc/self/fd/" + std::to_string(file);
  return ::linkat(AT_FDCWD, path.c_str(), folder, name, AT_SYMLINK_FOLLOW);
}

int RenameNoReplace(int folder, const char* from, const char* to) {
  return ::renameat2(folder, from, folder, to, RENAME_NOREPLACE);
}

int LinkName(int folder, const char* from, const char* to) { return ::linkat(folder, from, folder, to, 0); }

int StartWriteBack(int file) { return ::sync_file_range(file, 0, 0, SYNC_FILE_RANGE_WRITE); }

bool WaitForWriteBack() { return ProcessEnvironment().Variable("KALVERO_WRITE_BACK") == "wait"; }

}  // namespace

const TCopyCalls& SystemCopyCalls() {
  static const TCopyCalls calls{OpenUnnamed,     CreateNew, CopyRange, LinkByHandle, LinkThroughProc,
                                RenameNoReplace, LinkName,  ::fchmod,  ::futimens,
                                WaitForWriteBack() ? ::fdatasync : StartWriteBack, ::syncfs};
  return calls;
}

TCopyRoad CopyRoadFromEnvironment() {
  const auto road = ProcessEnvironment().Variable("KALVERO_COPY_ROAD");
  if (road == "temporary") return TCopyRoad::TemporaryName;
  if (road == "exclusive") return TCopyRoad::ExclusiveCreate;
  return TCopyRoad::UnnamedFile;
}

}  // namespace kalvero

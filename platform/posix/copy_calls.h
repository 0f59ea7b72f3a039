#pragma once

// The system calls that a copy into a target folder depends on, gathered so that a test can make
// each of them fail as a file system without it does (FAT has no links, NFS no unnamed files, a
// card refuses permission bits), which no real folder of the test machine can be made to do.

#include <sys/types.h>

#include <ctime>

namespace kalvero {

// How a copy gets its name, from the best to the last resort.
enum class TCopyRoad {
  UnnamedFile,    // written into a file without a name, then linked to its name
  TemporaryName,  // written under a hidden temporary name, then renamed without replacing
  ExclusiveCreate,  // written under its final name, created exclusively
};

struct TCopyCalls {
  // Opens a new file without a name in `folder` for writing; -1 and errno on failure.
  int (*openUnnamed)(int folder);
  // Creates the file `name` in `folder` for writing, readable and writable only by the owner,
  // failing when anything of that name exists (a link included).
  int (*createNew)(int folder, const char* name);
  // Copies up to `length` bytes from the position of `from` to the position of `to` inside the
  // kernel, moving both; answers how many, 0 at the end of `from` (or where the file system does
  // not really copy), -1 and errno on failure.
  ssize_t (*copyRange)(int from, int to, size_t length);
  // Gives the unnamed `file` the name `name` in `folder`, failing when it exists; by the file's
  // handle itself, and through /proc/self/fd.
  int (*linkByHandle)(int file, int folder, const char* name);
  int (*linkThroughProc)(int file, int folder, const char* name);
  // Renames `from` to `to` in `folder`, failing when `to` exists.
  int (*renameNoReplace)(int folder, const char* from, const char* to);
  // Links the existing `from` as `to` in `folder`, failing when `to` exists.
  int (*linkName)(int folder, const char* from, const char* to);
  int (*changeMode)(int file, mode_t mode);
  int (*changeTimes)(int file, const timespec times[2]);
  // Starts (or, when waiting is chosen, completes) writing a file's bytes to the medium.
  int (*writeBack)(int file);
  // Writes everything of the file system holding `folder` to the medium.
  int (*syncFileSystem)(int folder);
};

// The real calls. KALVERO_WRITE_BACK=wait in the environment makes each copy wait for its bytes
// to reach the medium (fdatasync) instead of only starting the write-back; the benchmark compares
// the two.
const TCopyCalls& SystemCopyCalls();

// The road that copies start on: KALVERO_COPY_ROAD=unnamed, temporary or exclusive in the
// environment, for tests and benchmarks; the unnamed-file road otherwise.
TCopyRoad CopyRoadFromEnvironment();

}  // namespace kalvero

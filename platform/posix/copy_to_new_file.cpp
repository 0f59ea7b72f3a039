// The copy that never replaces a file, on POSIX systems.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/posix/posix_file_system.h"

namespace kalvero {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Copies the rest of `from` into `to` with read and write, for file systems that cannot copy
// inside the kernel.
std::error_code CopyByReading(int from, int to) {
  std::array<char, 1 << 17> buffer;
  for (;;) {
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastError();
    if (got == 0) return {};
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = ::write(to, buffer.data() + written, static_cast<std::size_t>(got - written));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return LastError();
      written += put;
    }
  }
}

// Copies the source's bytes, as many as it had when it was opened (the call that would only
// find its end is saved), or fewer if it shrinks meanwhile.
std::error_code CopyContent(int from, int to, std::uint64_t size) {
  for (std::uint64_t remaining = size; remaining > 0;) {
    const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, std::min<std::uint64_t>(remaining, 1 << 30), 0);
    if (copied > 0) {
      remaining -= static_cast<std::uint64_t>(copied);
      continue;
    }
    if (copied == 0) return {};
    if (errno == EINTR) continue;
    // Nothing was copied yet where the kernel cannot do it; the offsets have not moved.
    if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) return CopyByReading(from, to);
    return LastError();
  }
  return {};
}

std::error_code FinishTarget(int target, const struct stat& source) {
  if (::fchmod(target, source.st_mode & 0777) != 0) return LastError();
  const timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  if (::futimens(target, times) != 0) return LastError();
  return {};
}

}  // namespace

std::error_code TPosixFileSystem::CopyToNewFile(const std::string& source, const std::string& target) {
  std::error_code error;
  TDescriptor from = OpenRegularFile(source, error);
  if (error) return error;
  struct stat status;
  if (::fstat(from.Get(), &status) != 0) return LastError();

  // Readable and writable only by the owner until the copy is complete.
  TDescriptor to(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600));
  if (to.Get() < 0) return LastError();
  error = CopyContent(from.Get(), to.Get(), static_cast<std::uint64_t>(status.st_size));
  if (!error) error = FinishTarget(to.Get(), status);
  if (!error && ::close(to.Release()) != 0) error = LastError();
  if (error) ::unlink(target.c_str());
  return error;
}

}  // namespace kalvero

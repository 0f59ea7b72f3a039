#pragma once

// Limits the size of files this process may write, for the life of the object, so that a write
// fails half way as on a full disk (root cannot be refused by permissions). The signal that a
// write past the limit raises is ignored meanwhile; the write just fails with EFBIG.

#include <signal.h>
#include <sys/resource.h>

#include <stdexcept>

namespace kalvero {

class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) : oldHandler_(::signal(SIGXFSZ, SIG_IGN)) {
    if (::getrlimit(RLIMIT_FSIZE, &oldLimit_) != 0) throw std::runtime_error("getrlimit failed");
    rlimit limit = oldLimit_;
    limit.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  sighandler_t oldHandler_;
  rlimit oldLimit_{};
};

}  // namespace kalvero

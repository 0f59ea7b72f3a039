// Removing a half-written copy when the process is told to stop.

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/posix/pending_file.h"

namespace kalvero {
namespace {

// Written only outside the handler; the folder is set after the name and cleared before the next
// name is written, so the handler never sees a name that is being changed. The signal fences keep
// the compiler from moving the name's bytes past the folder's stores.
char pendingName[NAME_MAX + 1];
volatile std::sig_atomic_t pendingFolder = -1;

extern "C" void RemovePendingFile(int signal) {
  const int savedErrno = errno;
  if (const int folder = pendingFolder; folder >= 0) ::unlinkat(folder, pendingName, 0);
  // Ends the process as the signal would have, so that its parent learns which signal it was.
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  errno = savedErrno;
}

}  // namespace

TPendingFile::TPendingFile(int folder, const std::string& name) {
  if (name.size() > NAME_MAX) return;
  std::memcpy(pendingName, name.c_str(), name.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  pendingFolder = folder;
}

TPendingFile::~TPendingFile() {
  pendingFolder = -1;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void InstallInterruptCleanup() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    // A signal that the parent chose to ignore (nohup) stays ignored.
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemovePendingFile;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace kalvero

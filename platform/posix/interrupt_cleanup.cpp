// Removing a half-written copy when the process is told to stop, and keeping the stop from
// falling between a copy's naming and its record.

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "platform/file_system.h"
#include "platform/interrupt_hold.h"
#include "platform/posix/pending_file.h"

namespace kalvero {
namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

sigset_t Interrupts() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterrupts) sigaddset(&set, signal);
  return set;
}

// Written only outside the handler; the folder is set after the name and cleared before the next
// name is written, so the handler never sees a name that is being changed. The signal fences keep
// the compiler from moving the name's bytes past the folder's stores.
char pendingName[NAME_MAX + 1];
volatile std::sig_atomic_t pendingFolder = -1;

// The thread that copies, set by InstallInterruptCleanup; 0 before.
static_assert(sizeof(pid_t) <= sizeof(std::sig_atomic_t));
volatile std::sig_atomic_t copyingThread = 0;

// The interruption holds of this thread: how many are active, and the mask to go back to when the
// outermost ends, once a copy's naming left the signals blocked for it.
struct THoldState {
  int depth = 0;
  bool deferred = false;
  sigset_t before;
};
thread_local THoldState holdState;

extern "C" void RemovePendingFile(int signal) {
  const int savedErrno = errno;
  // Any thread that does not block the signal may take it (threads started after the start-up
  // inherit the copying thread's mask). It is passed on to the thread that copies, where it waits
  // while that thread names a copy.
  if (const pid_t copying = copyingThread; copying != 0 && copying != ::gettid()) {
    ::tgkill(::getpid(), copying, signal);
    errno = savedErrno;
    return;
  }
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

void TInterruptBlock::Block() {
  if (blocked_) return;
  const sigset_t interrupts = Interrupts();
  ::pthread_sigmask(SIG_BLOCK, &interrupts, &before_);
  blocked_ = true;
}

void TInterruptBlock::Unblock() {
  if (!blocked_) return;
  ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
  blocked_ = false;
}

void TInterruptBlock::Keep() {
  if (!blocked_ || holdState.depth == 0) return;
  // Within a hold that keeps them already, the mask before this block is that kept one.
  if (!holdState.deferred) {
    holdState.before = before_;
    holdState.deferred = true;
  }
  blocked_ = false;
}

TInterruptHold::TInterruptHold() { ++holdState.depth; }

TInterruptHold::~TInterruptHold() {
  if (--holdState.depth > 0 || !holdState.deferred) return;
  holdState.deferred = false;
  // A signal that arrived meanwhile is taken here.
  ::pthread_sigmask(SIG_SETMASK, &holdState.before, nullptr);
}

void BlockInterruptsForNewThreads() {
  const sigset_t interrupts = Interrupts();
  ::pthread_sigmask(SIG_BLOCK, &interrupts, nullptr);
}

void InstallInterruptCleanup() {
  copyingThread = ::gettid();
  const sigset_t interrupts = Interrupts();
  for (const int signal : kInterrupts) {
    struct sigaction current {};
    // A signal that the parent chose to ignore (nohup) stays ignored.
    if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemovePendingFile;
    // One handler at a time; a thread that only passes a signal on resumes its call.
    action.sa_mask = interrupts;
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
  // A write beyond the file-size limit then fails with EFBIG, failing that copy, instead of
  // ending the run.
  ::signal(SIGXFSZ, SIG_IGN);
  // Ignored ones stay ignored; none stays blocked for the programs this one starts.
  ::pthread_sigmask(SIG_UNBLOCK, &interrupts, nullptr);
}

}  // namespace kalvero

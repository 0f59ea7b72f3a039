// Holding an interruption back on Windows. Console control events (Ctrl-C, Ctrl-Break, the close
// box) arrive on a thread of their own instead of interrupting the copying thread: the handler
// takes this lock before it removes a copy's file and ends the process, so it waits while a hold
// lives.

#include "platform/interrupt_hold.h"
#include "platform/win32/interrupt_lock.h"

namespace kalvero {

std::recursive_mutex& InterruptLock() {
  static std::recursive_mutex lock;
  return lock;
}

TInterruptHold::TInterruptHold() { InterruptLock().lock(); }

TInterruptHold::~TInterruptHold() { InterruptLock().unlock(); }

// No thread is ever interrupted by a console control event: nothing to block.
void BlockInterruptsForNewThreads() {}

}  // namespace kalvero

#pragma once

// Keeping an interruption from splitting a copy from its record. Once InstallInterruptCleanup
// ran, SIGINT, SIGTERM, SIGHUP and SIGQUIT end the process, removing what a copy is writing;
// a copy that is already named must not be lost from the run's record (its journal line) though.

namespace kalvero {

// While an object lives, an interruption that arrives once a copy of this thread is being named
// waits until the object ends, so that the caller can record the copy first. Before the naming,
// the copy's bytes are written interruptibly, and without a hold the copy lets the signals
// through itself right after the naming. Holds nest; the outermost one ends the wait.
class TInterruptHold {
 public:
  TInterruptHold();
  TInterruptHold(const TInterruptHold&) = delete;
  TInterruptHold& operator=(const TInterruptHold&) = delete;
  ~TInterruptHold();
};

// Blocks the interruption signals in the calling thread, and so in every thread that it starts
// from now on. A program that starts threads calls it before it starts any; InstallInterruptCleanup
// lets them through again in the thread that calls it, the one that copies.
void BlockInterruptsForNewThreads();

}  // namespace kalvero

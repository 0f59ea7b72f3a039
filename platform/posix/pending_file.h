#pragma once

// The one file that a copy is writing under a name, kept in static storage so that the handler
// of SIGINT, SIGTERM, SIGHUP and SIGQUIT can remove it with nothing but unlinkat.

#include <signal.h>

#include <string>

namespace kalvero {

// Names `name` in the open folder `folder` as the file being written, for the life of the object.
class TPendingFile {
 public:
  TPendingFile(int folder, const std::string& name);
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;
  ~TPendingFile();
};

// Blocks the interruption signals in this thread while a copy creates, registers or gives a name,
// so that the handler never meets a name that exists but is not registered for removal. Unblock
// lets them through while the bytes are written; so does the end of the object. Keep, once the
// copy is named, hands them to an active TInterruptHold of this thread instead, which lets them
// through when it ends, after the copy is recorded.
class TInterruptBlock {
 public:
  TInterruptBlock() { Block(); }
  TInterruptBlock(const TInterruptBlock&) = delete;
  TInterruptBlock& operator=(const TInterruptBlock&) = delete;
  ~TInterruptBlock() { Unblock(); }
  void Block();
  void Unblock();
  void Keep();

 private:
  sigset_t before_;
  bool blocked_ = false;
};

}  // namespace kalvero

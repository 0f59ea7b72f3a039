#pragma once

// The lock that keeps a console control event (Ctrl-C, Ctrl-Break, the close box) from splitting
// a copy from its record, and the one file that a copy is writing, which the control handler
// removes before the process ends.

#include <windows.h>

#include <mutex>

namespace kalvero {

// Held by every TInterruptHold, by a copy while it makes, registers or names its file, and by the
// console control handler until the process ends.
std::recursive_mutex& InterruptLock();

// Names `file` (opened with DELETE access) as the file being written, for the life of the object.
// Made and ended while the caller holds InterruptLock.
class TPendingFile {
 public:
  explicit TPendingFile(HANDLE file);
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;
  ~TPendingFile();
};

// What the console control handler does for any event: waits for InterruptLock, marks the pending
// file for deletion (it goes when the process closes its handles) and calls `end` with the status
// that the system's own handler ends the process with (STATUS_CONTROL_C_EXIT). Answers TRUE.
BOOL HandleConsoleEvent(DWORD event, void (*end)(UINT status));

}  // namespace kalvero

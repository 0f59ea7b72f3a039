// Removing a half-written copy when the console tells the process to stop (Ctrl-C, Ctrl-Break,
// the close box, log-off, shut-down). The handler runs on a thread of its own; it waits for the
// lock that a copy takes while it names its file and that a TInterruptHold keeps until the copy is
// recorded.

#include "platform/file_system.h"
#include "platform/win32/interrupt_lock.h"

namespace kalvero {
namespace {

// Read and written only under InterruptLock.
HANDLE pendingFile = nullptr;

// The status with which the system's own handler ends a process on a console control event.
constexpr UINT kControlCExit = 0xC000013A;

BOOL WINAPI ConsoleHandler(DWORD event) { return HandleConsoleEvent(event, ExitProcess); }

}  // namespace

TPendingFile::TPendingFile(HANDLE file) { pendingFile = file; }

TPendingFile::~TPendingFile() { pendingFile = nullptr; }

BOOL HandleConsoleEvent(DWORD, void (*end)(UINT status)) {
  const std::lock_guard lock(InterruptLock());
  if (pendingFile != nullptr) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(pendingFile, FileDispositionInfo, &disposition, sizeof disposition);
  }
  end(kControlCExit);
  return TRUE;
}

// Windows delivers console events on a thread of its own and stops no thread for them: the
// calling thread needs nothing. A console whose Ctrl-C its parent switched off stays so.
void InstallInterruptCleanup() { SetConsoleCtrlHandler(ConsoleHandler, TRUE); }

}  // namespace kalvero

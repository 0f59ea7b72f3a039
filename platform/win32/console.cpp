// The console of Windows: a standard handle is a console when the console answers for its mode.

#include <windows.h>

#include "platform/console.h"

namespace kalvero {

bool IsTerminal(TStandardStream stream) {
  const DWORD which = stream == TStandardStream::Input    ? STD_INPUT_HANDLE
                      : stream == TStandardStream::Output ? STD_OUTPUT_HANDLE
                                                          : STD_ERROR_HANDLE;
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

// A write to a pipe whose reader has gone fails with an error on Windows; there is no signal.
void SetUpConsoleProgram() {}

}  // namespace kalvero

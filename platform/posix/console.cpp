#include "platform/console.h"

#include <unistd.h>

#include <csignal>

namespace kalvero {

bool IsTerminal(TStandardStream stream) {
  switch (stream) {
    case TStandardStream::Input: return ::isatty(STDIN_FILENO) == 1;
    case TStandardStream::Output: return ::isatty(STDOUT_FILENO) == 1;
    case TStandardStream::Error: return ::isatty(STDERR_FILENO) == 1;
  }
  return false;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }

void SetUpConsoleStreams() {}

void SetUpConsoleProgram() {
  // A write to such a pipe then fails with EPIPE instead of raising SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace kalvero

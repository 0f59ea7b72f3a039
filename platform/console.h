#pragma once

// The console of the command-line program: what its standard streams are connected to, and the
// set-up of the process that writes to them.

namespace kalvero {

enum class TStandardStream { Input, Output, Error };

// Whether `stream` is a terminal (a console window on Windows) that a person reads or types on,
// rather than a file or a pipe.
bool IsTerminal(TStandardStream stream);

// Sets the process up to write to readers that may go away (`kalvero sort ... | head`): output to
// a pipe whose reader has gone fails and is lost, instead of ending the process. Called once by
// the command line before a command runs.
void SetUpConsoleProgram();

}  // namespace kalvero

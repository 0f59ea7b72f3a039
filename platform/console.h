#pragma once

// The console of the command-line program: its arguments, what its standard streams are connected
// to, and the set-up of the process that writes to them.

#include <string>
#include <vector>

namespace kalvero {

enum class TStandardStream { Input, Output, Error };

// Whether `stream` is a terminal (a console window on Windows) that a person reads or types on,
// rather than a file or a pipe.
bool IsTerminal(TStandardStream stream);

// The program's arguments, its own name first, as UTF-8: on POSIX systems argv as given; on
// Windows the wide command line as the system splits it (argv there is in the ANSI code page,
// which cannot hold every name), in WTF-8 so that nothing is lost.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Lets std::cout and std::cerr write the program's UTF-8 text to wherever they lead: on a Windows
// console as UTF-16 characters, into a file or a pipe as the UTF-8 bytes, "\n" unchanged. Nothing
// to do on POSIX systems. Called once, first thing, by the command-line program.
void SetUpConsoleStreams();

// Sets the process up to write to readers that may go away (`kalvero sort ... | head`): output to
// a pipe whose reader has gone fails and is lost, instead of ending the process. Called once by
// the command line before a command runs.
void SetUpConsoleProgram();

}  // namespace kalvero

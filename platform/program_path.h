#pragma once

#include <string>
#include <system_error>

namespace kalvero {

// What the name of a program file ends in: "" on POSIX systems, ".exe" on Windows.
extern const char kProgramFileSuffix[];

// The folder of the running program file, with a separator at its end; empty when the system
// cannot tell.
std::string ProgramFolder();

// Starts the program file `path` without arguments in place of the running program (on Windows,
// which cannot replace a process, it starts it and ends this one). Returns only when it cannot be
// started, with the reason.
std::error_code ReplaceWithProgram(const std::string& path);

}  // namespace kalvero

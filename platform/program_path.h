#pragma once

#include <string>
#include <system_error>

namespace kalvero {

// The folder of the running program file, with a separator at its end; empty when the system
// cannot tell.
std::string ProgramFolder();

// Starts the program file `path` without arguments in place of the running program. Returns
// only when it cannot be started, with the reason.
std::error_code ReplaceWithProgram(const std::string& path);

}  // namespace kalvero

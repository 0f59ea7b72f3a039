#pragma once

// The command line of a Windows program, which the program receives as one text and splits itself.

#include <string>
#include <vector>

namespace kalvero {

// `commandLine` split into arguments by the system's rules (CommandLineToArgvW: blanks separate,
// quotes group, backslashes escape only before a quote), each in WTF-8. Empty when the system
// cannot split it.
std::vector<std::string> CommandLineArguments(const wchar_t* commandLine);

}  // namespace kalvero

#pragma once

// Runs a program to its end, as a script would, and captures what it printed.

#include <map>
#include <string>
#include <vector>

namespace kalvero {

struct TProgramResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `arguments[0]` with the arguments in the folder `workingFolder` (the current one when
// empty), with `environment` set on top of this process's environment and standard input read
// from /dev/null.
TProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& workingFolder = "",
                          const std::map<std::string, std::string>& environment = {});

}  // namespace kalvero

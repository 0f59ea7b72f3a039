#pragma once

// Runs a program as a script would, and captures what it printed.

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kalvero {

struct TProgramResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  int signal = 0;       // the signal that ended it, if one did
  std::uint64_t bytesRead = 0;  // what it read through system calls, from /proc/PID/io
  std::string out;
  std::string err;
};

// `arguments[0]` started with the arguments in the folder `workingFolder` (the current one when
// empty), with `environment` set on top of this process's environment and standard input read
// from /dev/null; its output goes to temporary files until Wait collects it.
class TStartedProgram {
 public:
  TStartedProgram(const std::vector<std::string>& arguments, const std::string& workingFolder = "",
                  const std::map<std::string, std::string>& environment = {});
  TStartedProgram(const TStartedProgram&) = delete;
  TStartedProgram& operator=(const TStartedProgram&) = delete;
  ~TStartedProgram();

  pid_t Pid() const { return pid_; }
  // Whether the program has not ended yet.
  bool Running() const;
  // Waits for the program's end and answers what it did.
  TProgramResult Wait();

 private:
  pid_t pid_ = -1;
  std::string out_, err_;
};

// Runs the program to its end.
TProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& workingFolder = "",
                          const std::map<std::string, std::string>& environment = {});

}  // namespace kalvero

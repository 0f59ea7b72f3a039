#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kalvero {
namespace {

std::string ReadAndRemove(const std::string& path) {
  std::string content = FileBytes(path);
  std::remove(path.c_str());
  return content;
}

std::string TempFile() {
  std::string pattern = "/tmp/kalvero-output-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  ::close(fd);
  return pattern;
}

[[noreturn]] void RunChild(const std::vector<std::string>& arguments, const std::string& workingFolder,
                           const std::map<std::string, std::string>& environment, const std::string& out,
                           const std::string& err) {
  const int input = ::open("/dev/null", O_RDONLY);
  const int output = ::open(out.c_str(), O_WRONLY | O_TRUNC);
  const int error = ::open(err.c_str(), O_WRONLY | O_TRUNC);
  if (input < 0 || output < 0 || error < 0 || ::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 || ::dup2(error, 2) < 0)
    ::_exit(126);
  if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) ::_exit(126);
  for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

}  // namespace

TProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                          const std::map<std::string, std::string>& environment) {
  const std::string out = TempFile(), err = TempFile();
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) RunChild(arguments, workingFolder, environment, out, err);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  TProgramResult result;
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadAndRemove(out);
  result.err = ReadAndRemove(err);
  return result;
}

}  // namespace kalvero

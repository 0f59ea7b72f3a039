#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <utility>

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

// The bytes the ended, not yet reaped process read ("rchar" of /proc/PID/io).
std::uint64_t BytesRead(pid_t pid) {
  const std::string io = FileBytes("/proc/" + std::to_string(pid) + "/io");
  const std::size_t at = io.find("rchar: ");
  return at == std::string::npos ? 0 : std::strtoull(io.c_str() + at + 7, nullptr, 10);
}

// Makes a system call again while a signal interrupts it; any other failure (the child is no
// child of this process, say) is a fault of the test and throws, rather than being retried forever.
template <class Call>
void RetryInterrupted(Call call, const char* name) {
  while (call() < 0)
    if (errno != EINTR) throw std::system_error(errno, std::generic_category(), name);
}

}  // namespace

TStartedProgram::TStartedProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                                 const std::map<std::string, std::string>& environment)
    : out_(TempFile()), err_(TempFile()) {
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) RunChild(arguments, workingFolder, environment, out_, err_);
}

TStartedProgram::~TStartedProgram() {
  if (pid_ > 0) Wait();
}

bool TStartedProgram::Running() const {
  siginfo_t info{};
  return pid_ > 0 &&
         !(::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_);
}

TProgramResult TStartedProgram::Wait() {
  const pid_t pid = std::exchange(pid_, -1);
  TProgramResult result;
  siginfo_t info{};
  RetryInterrupted([&] { return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT); }, "waitid");
  result.bytesRead = BytesRead(pid);
  int status = 0;
  RetryInterrupted([&] { return ::waitpid(pid, &status, 0); }, "waitpid");
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  result.out = ReadAndRemove(out_);
  result.err = ReadAndRemove(err_);
  return result;
}

TProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                          const std::map<std::string, std::string>& environment) {
  return TStartedProgram(arguments, workingFolder, environment).Wait();
}

}  // namespace kalvero

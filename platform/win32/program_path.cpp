// The program file of a Windows process, and starting another program in its place: Windows has
// no exec.

#include <windows.h>

#include <cstdlib>

#include "platform/program_path.h"
#include "platform/win32/api_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {

const char kProgramFileSuffix[] = ".exe";

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer may hold a cut path: ask again with a larger one.
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const std::string narrow = NarrowText(path);
  const std::size_t separator = narrow.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : narrow.substr(0, separator + 1);
}

// The program is started on the same console and standard handles and waited for, and its exit
// status becomes this one's, as if it had taken this one's place.
std::error_code ReplaceWithProgram(const std::string& path) {
  const std::wstring program = ApiPath(path);
  // The command line names the program quoted, as a program reads its own name from it.
  std::wstring commandLine = L"\"" + WideText(path) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &started))
    return LastWin32Error();
  const TWinHandle process(started.hProcess);
  const TWinHandle thread(started.hThread);
  DWORD status = 1;
  if (WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &status))
    status = 1;
  std::exit(static_cast<int>(status));
}

}  // namespace kalvero

// The program's own folder, and starting another program in its place, on Windows.

#include <windows.h>

#include <cstdlib>

#include "platform/program_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A path that filled the buffer may have been cut short.
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::string() : NarrowText(path.substr(0, separator + 1));
}

// Windows cannot put another program in the running one's place: the program is started on the
// same console and standard handles, waited for, and its exit status becomes this one's. With a
// full path and no extension, CreateProcessW appends ".exe" and searches nowhere else.
std::error_code ReplaceWithProgram(const std::string& path) {
  std::wstring commandLine = L"\"" + WideText(path) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
    return LastWin32Error();
  const TWinHandle process(started.hProcess);
  const TWinHandle thread(started.hThread);
  DWORD status = 1;
  if (WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &status))
    status = 1;
  std::exit(static_cast<int>(status));
}

}  // namespace kalvero

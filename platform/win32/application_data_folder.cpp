// The application-data folder of Windows: the user's roaming one, as the shell knows it. "~" means
// nothing on Windows: a folder typed with it is an ordinary name.

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "platform/application_data_folder.h"
#include "platform/win32/wide_text.h"

namespace kalvero {

std::optional<std::string> NativeApplicationDataFolder(const TEnvironment&) {
  PWSTR path = nullptr;
  const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path);
  std::optional<std::string> folder;
  if (SUCCEEDED(result) && path != nullptr && path[0] != L'\0') folder = NarrowText(path);
  // Freed also when the call failed, which may still have allocated it.
  CoTaskMemFree(path);
  return folder;
}

std::string WithHomeFolder(const std::string& typed, const TEnvironment&) { return typed; }

}  // namespace kalvero

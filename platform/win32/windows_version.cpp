// The version of Windows, from the kernel itself: GetVersionEx answers what the program's manifest
// declares, not what runs.

#include <windows.h>
#include <uxtheme.h>

#include "platform/windows_version.h"

namespace kalvero {

TWindowsVersion RunningWindowsVersion() {
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto rtlGetVersion =
      ntdll ? reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion"))) : nullptr;
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) return {};
  return {static_cast<int>(info.dwMajorVersion), IsAppThemed() != FALSE};
}

}  // namespace kalvero

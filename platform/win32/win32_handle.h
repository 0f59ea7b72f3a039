#pragma once

// What the Win32 implementation of the platform shares: an owned handle, and the errors of the
// system in the portable terms that the engine compares against (std::errc).

#include <windows.h>

#include <system_error>
#include <utility>

namespace kalvero {

// Owns a handle that CloseHandle closes (not one of FindFirstFile).
class TWinHandle {
 public:
  explicit TWinHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  TWinHandle(TWinHandle&& other) noexcept : handle_(other.Release()) {}
  TWinHandle& operator=(TWinHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~TWinHandle() { Reset(); }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (Valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

// A Win32 error code as a portable error where one fits (ERROR_FILE_NOT_FOUND is
// no_such_file_or_directory, ERROR_ACCESS_DENIED permission_denied, ...), else as a system error
// that keeps the system's own message.
std::error_code Win32Error(DWORD code);

// The error of the Win32 call that failed last, as Win32Error gives it.
inline std::error_code LastWin32Error() { return Win32Error(GetLastError()); }

}  // namespace kalvero

// The environment of a Windows process, read in its wide form so that every value arrives as
// UTF-8 whatever the system's code page.

#include <windows.h>

#include "platform/environment.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

class TWin32Environment final : public TEnvironment {
 public:
  std::optional<std::string> Variable(const std::string& name) const override {
    const std::wstring wideName = WideText(name);
    std::wstring value(64, L'\0');
    for (;;) {
      SetLastError(ERROR_SUCCESS);
      const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
      if (length == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
      }
      // Too small a buffer: the length asked for counts the terminating zero; else it does not.
      if (length < value.size()) {
        value.resize(length);
        return NarrowText(value);
      }
      value.resize(length);
    }
  }
};

}  // namespace

const TEnvironment& ProcessEnvironment() {
  static const TWin32Environment environment;
  return environment;
}

}  // namespace kalvero

#include "platform/win32/api_path.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

constexpr std::size_t kPlainLimit = MAX_PATH - 12;

}  // namespace

std::wstring ApiPath(std::string_view path) {
  std::wstring wide = WideText(path);
  if (wide.size() < kPlainLimit || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return wide;
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return wide;
  full.resize(length);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace kalvero

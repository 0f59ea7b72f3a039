// The shell's "open" with a UTF-8 path: a command script in a folder with umlauts leaves a mark.

#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

bool WriteNewFile(const std::string& path, const std::string& content) {
  const HANDLE file = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool done = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) != FALSE;
  CloseHandle(file);
  return done && written == content.size();
}

TEST(Win32ShellTest, OpensAUtf8PathWithTheProgramOfItsType) {
  TTempFolder temp;
  const std::string folder = temp.Path() + "\\Handb\u00FCcher";
  ASSERT_TRUE(CreateDirectoryW(WideText(folder).c_str(), nullptr));
  const std::string script = folder + "\\\u00F6ffnen.cmd";
  ASSERT_TRUE(WriteNewFile(script, "@echo off\r\necho ok> \"%~dp0marker.txt\"\r\n"));

  TWin32Shell shell;
  shell.Open(script);
  const std::wstring marker = WideText(folder + "\\marker.txt");
  for (int wait = 0; wait < 200 && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait) Sleep(50);
  EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the script did not run";
  for (int wait = 0; wait < 40 && !DeleteFileW(marker.c_str()); ++wait) Sleep(50);
}

}  // namespace
}  // namespace kalvero

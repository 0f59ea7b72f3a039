// A copy run started in the window gives the tree that the command line's sort gives for the same
// source: the two front ends over one engine, on Windows.

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/program_path.h"
#include "platform/win32/wide_text.h"
#include "tests/app/window/window_fixture.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

// Every file below `root` by its path relative to it, with its bytes (ASCII names only).
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), root).generic_string()] = FileBytes(entry.path().string());
  return files;
}

// Runs kalvero.exe, which the build puts in app/ beside tests/, and answers its exit status.
DWORD RunCommandLine(const std::string& arguments, const std::string& appData) {
  const std::wstring program = WideText(ProgramFolder() + "..\\..\\app\\kalvero.exe");
  std::wstring line = L"\"" + program + L"\" " + WideText(arguments);
  // The child keeps its settings in the test's folder, as the windows do.
  SetEnvironmentVariableW(L"KALVERO_APPDATA", WideText(appData).c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(L"KALVERO_APPDATA", nullptr);
  if (!started) return static_cast<DWORD>(-1);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}

TEST_F(WindowProgramTest, ARunFromTheButtonGivesTheTreeOfTheCommandLinesSort) {
  TTempFolder trees;
  trees.Write("src/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
  trees.Write("src/b.JPG", PictureTakenAt("2004:08:07 16:45:33"));
  trees.Write("src/Urlaub/c.jpeg", PictureTakenAt("2005:01:02 03:04:05"));
  trees.Write("src/Urlaub/d.jpg", PictureTakenAt("2005:01:03 00:00:00"));
  trees.Write("src/undated.jpg", "no exif");
  Control<TEdit>("dir2").SetText(trees / "window");
  Control<TEdit>("dir").SetText(trees / "src");
  user->Click(Control<TControl>("Button1"));
  EXPECT_EQ(StatusText(), "4 files copied!");

  ASSERT_EQ(RunCommandLine("sort \"" + (trees / "src") + "\" \"" + (trees / "command-line") + "\"", appData.Path()), 1u)
      << "the undated picture is reported";
  const std::map<std::string, std::string> tree = Tree(trees / "window");
  EXPECT_EQ(tree.size(), 4u);
  EXPECT_TRUE(tree.contains("2004.08.07/07.08.2004 - 16.45.33.jpg"));
  EXPECT_EQ(tree, Tree(trees / "command-line"));
}

}  // namespace
}  // namespace kalvero

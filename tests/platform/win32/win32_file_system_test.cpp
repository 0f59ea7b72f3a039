// The Win32 file system on real folders: listing, facts, reading under a share mode, devices,
// long paths and the replacement of a file's content.

#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/name_limit.h"
#include "platform/output_file.h"
#include "platform/program_path.h"
#include "platform/win32/api_path.h"
#include "platform/win32/wide_text.h"
#include "tests/support/seek_check.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

void SetAttributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(SetFileAttributesW(WideText(path).c_str(), attributes)) << path;
}

struct TListed {
  std::string name;
  TEntryKind kind;
  bool hidden;
  friend bool operator==(const TListed&, const TListed&) = default;
};

TEST(Win32FileSystemTest, ListsFilesAndFoldersInNameOrderWithHiddenAndSystemEntriesMarked) {
  TTempFolder temp;
  temp.Write("b.jpg");
  temp.Write("A.JPG");
  temp.Write(".dot.jpg");
  temp.Write("hidden.jpg");
  temp.Write("system.jpg");
  temp.MakeFolder("Folder");
  temp.MakeFolder("hiddenFolder");
  SetAttributes(temp / "hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(temp / "system.jpg", FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(temp / "hiddenFolder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  TWin32FileSystem fileSystem;
  for (const std::string& folder : {temp.Path(), temp.Path() + "\\"}) {
    std::vector<TUnreadableEntry> unreadable;
    std::vector<TListed> listed;
    for (const TFolderEntry& entry : fileSystem.ListFolder(folder, &unreadable))
      listed.push_back({entry.name, entry.kind, entry.hidden});
    EXPECT_EQ(listed, (std::vector<TListed>{{".dot.jpg", TEntryKind::File, true},
                                            {"A.JPG", TEntryKind::File, false},
                                            {"b.jpg", TEntryKind::File, false},
                                            {"Folder", TEntryKind::Folder, false},
                                            {"hidden.jpg", TEntryKind::File, true},
                                            {"hiddenFolder", TEntryKind::Folder, true},
                                            {"system.jpg", TEntryKind::File, true}}))
        << folder;
    EXPECT_TRUE(unreadable.empty());
  }
  // A folder listed has the identity the folder has however it is reached.
  const auto entries = fileSystem.ListFolder(temp.Path());
  EXPECT_EQ(entries[3].identity, fileSystem.FolderIdentity(temp / "Folder\\"));
  SetAttributes(temp / "hiddenFolder", FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32FileSystemTest, MissingFolderOrFileInPlaceOfOneHasNoEntriesAndIsReported) {
  TTempFolder temp;
  const std::string file = temp.Write("file.jpg", "x");
  TWin32FileSystem fileSystem;
  for (const std::string& folder : {temp / "missing", file}) {
    std::vector<TUnreadableEntry> unreadable;
    EXPECT_TRUE(fileSystem.ListFolder(folder, &unreadable).empty()) << folder;
    ASSERT_EQ(unreadable.size(), 1u) << folder;
    EXPECT_EQ(unreadable[0].name, "");
    EXPECT_TRUE(unreadable[0].reason) << folder;
  }
  std::error_code why;
  EXPECT_FALSE(fileSystem.FolderIdentity(file, &why));
  EXPECT_EQ(why, std::errc::not_a_directory);
  EXPECT_FALSE(fileSystem.FolderIdentity(temp / "missing", &why));
  EXPECT_EQ(why, std::errc::no_such_file_or_directory);
  EXPECT_TRUE(fileSystem.Exists(file));
  EXPECT_FALSE(fileSystem.Exists(temp / "missing"));
}

TEST(Win32FileSystemTest, FactsGiveSizeTimesAndIdentityOfRegularFilesOnly) {
  TTempFolder temp;
  const std::string first = temp.Write("first.jpg", "12345");
  const std::string second = temp.Write("second.jpg", "12345");
  // 2021-03-04 05:06:07.1234567 UTC, in 100 ns since 1601.
  const std::uint64_t ticks = 132'593'079'671'234'567;
  {
    const TWinHandle file(CreateFileW(WideText(first).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
  }
  TWin32FileSystem fileSystem;
  const auto facts = fileSystem.FileFacts(first);
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->size, 5u);
  EXPECT_EQ(facts->lastWriteNanoseconds, 1'614'834'367'123'456'700);
  EXPECT_GT(facts->changeNanoseconds, 1'600'000'000'000'000'000);
  EXPECT_NE(facts->identity, fileSystem.FileFacts(second)->identity);
  std::error_code error;
  EXPECT_EQ(fileSystem.OpenRead(first, error)->Facts(), *facts);
  EXPECT_FALSE(fileSystem.FileFacts(temp.Path()));
  EXPECT_FALSE(fileSystem.FileFacts(temp / "missing.jpg"));
}

TEST(Win32FileSystemTest, OpenPictureMayBeReadByOthersButNotWritten) {
  TTempFolder temp;
  const std::string path = temp.Write("a.jpg", "picture");
  TWin32FileSystem fileSystem;
  const auto openWith = [&](DWORD access) {
    return TWinHandle(CreateFileW(WideText(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  };
  {
    std::error_code error;
    const auto file = fileSystem.OpenRead(path, error);
    ASSERT_TRUE(file) << error.message();
    EXPECT_FALSE(openWith(GENERIC_WRITE).Valid());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(openWith(GENERIC_READ).Valid());
    std::array<std::byte, 16> bytes;
    EXPECT_EQ(file->Read(bytes), 7u);
  }
  EXPECT_TRUE(openWith(GENERIC_WRITE).Valid());
}

TEST(Win32FileSystemTest, ReadsFromWhereTheFileWasSoughtTo) {
  TTempFolder temp;
  TWin32FileSystem fileSystem;
  std::error_code error;
  const auto file = fileSystem.OpenRead(temp.Write("a.heic", "0123456789"), error);
  ASSERT_TRUE(file) << error.message();
  ExpectReadsFromEachPlace(*file);
}

TEST(Win32FileSystemTest, DevicesAndFoldersAreRefusedBeforeAnythingIsRead) {
  TTempFolder temp;
  TWin32FileSystem fileSystem;
  for (const std::string& path : {std::string("NUL"), std::string("CON"), temp / "CON.jpg", temp / "nul",
                                  std::string("\\\\.\\NUL"), temp.Path()}) {
    std::error_code error;
    EXPECT_FALSE(fileSystem.OpenRead(path, error)) << path;
    EXPECT_TRUE(error) << path;
    EXPECT_FALSE(fileSystem.ReadWholeFile(path, 1000, error)) << path;
    EXPECT_TRUE(error) << path;
    EXPECT_FALSE(fileSystem.FileFacts(path)) << path;
  }
  std::error_code error;
  fileSystem.OpenRead(temp.Path(), error);
  EXPECT_EQ(error, std::errc::is_a_directory);
}

TEST(Win32FileSystemTest, PathsLongerThanMaxPathWorkThroughout) {
  TTempFolder temp;
  TWin32FileSystem fileSystem;
  std::string folder = temp.Path();
  while (folder.size() < 400) {
    folder += "\\" + std::string(60, 'f');
    ASSERT_FALSE(fileSystem.CreateFolder(folder)) << folder.size();
  }
  const std::string file = folder + "\\picture.jpg";
  ASSERT_FALSE(fileSystem.ReplaceFileContent(file, "long"));
  ASSERT_EQ(fileSystem.ListFolder(folder).size(), 1u);
  EXPECT_EQ(fileSystem.FileFacts(file)->size, 4u);
  std::error_code error;
  EXPECT_EQ(fileSystem.ReadWholeFile(file, 100, error), "long");
  EXPECT_TRUE(fileSystem.FolderExists(folder));
  EXPECT_FALSE(fileSystem.WriteAccess(folder));
  EXPECT_EQ(NameLengthLimit(folder + "\\not\\made"), 255);
  const std::string journal = folder + "\\journal.txt";
  auto output = CreateOutputFile(journal, error);
  ASSERT_TRUE(output) << error.message();
  EXPECT_FALSE(output->Append("entry"));
  output.reset();
  EXPECT_EQ(fileSystem.ReadWholeFile(journal, 100, error), "entry");
  DeleteFileW(ApiPath(file).c_str());
  DeleteFileW(ApiPath(journal).c_str());
  for (; folder.size() > temp.Path().size(); folder.resize(folder.rfind('\\')))
    ASSERT_TRUE(RemoveDirectoryW(ApiPath(folder).c_str()));
}

TEST(Win32FileSystemTest, ReplacingContentKeepsNothingElseAndRefusesWhatItMayNotWrite) {
  TTempFolder temp;
  TWin32FileSystem fileSystem;
  const std::string path = temp / "kalvero.ini";
  ASSERT_FALSE(fileSystem.ReplaceFileContent(path, "first"));
  ASSERT_FALSE(fileSystem.ReplaceFileContent(path, "second"));
  EXPECT_EQ(FileBytes(path), "second");
  SetAttributes(path, FILE_ATTRIBUTE_HIDDEN);
  ASSERT_FALSE(fileSystem.ReplaceFileContent(path, "third"));
  EXPECT_EQ(GetFileAttributesW(WideText(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});

  SetAttributes(path, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(fileSystem.ReplaceFileContent(path, "refused"), std::errc::permission_denied);
  SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
  {
    // A reader that does not let the file be deleted keeps it from being replaced.
    const TWinHandle reader(CreateFileW(WideText(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(fileSystem.ReplaceFileContent(path, "refused"));
  }
  EXPECT_EQ(fileSystem.ReplaceFileContent(temp / "missing\\kalvero.ini", "x"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fileSystem.ReplaceFileContent(temp.Path(), "x"), std::errc::is_a_directory);
  EXPECT_EQ(FileBytes(path), "third");
  ASSERT_EQ(fileSystem.ListFolder(temp.Path()).size(), 1u);
  EXPECT_FALSE(fileSystem.WriteAccess(temp.Path()));
}

TEST(Win32FileSystemTest, ReadOnlyFolderStillTakesEntries) {
  TTempFolder temp;
  const std::string folder = temp.MakeFolder("readOnly");
  SetAttributes(folder, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
  TWin32FileSystem fileSystem;
  EXPECT_FALSE(fileSystem.WriteAccess(folder));
  EXPECT_FALSE(fileSystem.CreateFolder(folder + "\\inside"));
  EXPECT_EQ(fileSystem.WriteAccess(temp / "missing"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fileSystem.WriteAccess(temp.Write("file.jpg")), std::errc::not_a_directory);
  SetAttributes(folder, FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32FileSystemTest, ProgramFolderHoldsTheRunningProgramWhichAnotherCanReplace) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(TWin32FileSystem().FileFacts(folder + "kalvero_platform_tests.exe"));
  EXPECT_EQ(ReplaceWithProgram(folder + "missing"), std::errc::no_such_file_or_directory);
  // The program is named with its suffix, as the command line names the window program.
  std::array<wchar_t, MAX_PATH> system;
  ASSERT_GT(GetSystemDirectoryW(system.data(), MAX_PATH), 0u);
  const std::string hostname = NarrowText(system.data()) + "\\hostname" + kProgramFileSuffix;
  EXPECT_EXIT(ReplaceWithProgram(hostname), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kalvero

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/interrupt_hold.h"
#include "platform/win32/interrupt_lock.h"
#include "platform/win32/target_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handle.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(WideText(folder))))
    names.push_back(NarrowText(entry.path().filename().wstring()));
  std::ranges::sort(names);
  return names;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(WideText(path).c_str()); }

// Sets the last-write time of a file, in 100 ns units since 1601.
void SetLastWrite(const std::string& path, std::int64_t ticks) {
  const TWinHandle file(CreateFileW(WideText(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file.Valid());
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
}

std::unique_ptr<TTargetFolder> Open(const std::string& path) {
  std::error_code error;
  auto folder = OpenWin32TargetFolder(path, false, error);
  EXPECT_FALSE(error) << path << ": " << error.message();
  return folder;
}

TEST(Win32TargetFolder, CopiesBytesAndLastWriteTimeVisibleAndLeavesNothingElse) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", std::string(300000, 'x') + "end");
  SetLastWrite(source, 127'363'743'339'876'543);  // 2004-08-07 17:45:33.9876543 UTC
  ASSERT_TRUE(SetFileAttributesW(WideText(source).c_str(), FILE_ATTRIBUTE_HIDDEN));
  temp.MakeFolder("t/2004");

  const auto target = Open(temp / "t");
  TFileFacts facts;
  EXPECT_FALSE(target->CopyInto(source, "", "b.jpg", &facts));
  EXPECT_EQ(facts.size, 300003u);
  EXPECT_EQ(facts.lastWriteNanoseconds, 1'091'900'733'987'654'300);
  EXPECT_EQ(target->Facts("", "b.jpg"), facts) << "its identity and change time once under its name";
  EXPECT_FALSE(target->CopyInto(source, "2004", "c.jpg", nullptr));
  EXPECT_FALSE(target->Flush());

  EXPECT_EQ(Listing(temp / "t"), (std::vector<std::string>{"2004", "b.jpg"}));
  EXPECT_EQ(Listing(temp / "t/2004"), std::vector<std::string>{"c.jpg"});
  for (const char* copy : {"t/b.jpg", "t/2004/c.jpg"}) {
    EXPECT_EQ(FileBytes(temp / copy), FileBytes(source));
    EXPECT_EQ(Attributes(temp / copy) & FILE_ATTRIBUTE_HIDDEN, 0u) << copy << ": a copy is not hidden";
  }
}

TEST(Win32TargetFolder, FailedCopiesLeaveNothingAndReplaceNothing) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", "new bytes");
  temp.Write("t/b.jpg", "old");
  temp.Write("t/file", "");
  temp.MakeFolder("t/folder.jpg");
  const auto target = Open(temp / "t");
  const std::string missing = temp / "src/missing.jpg";
  const struct {
    std::string source, folder, name;
    std::errc error;
  } cases[] = {
      // Every clash fails before the source is opened: a source that is not there fails alike.
      {missing, "", "b.jpg", std::errc::file_exists},
      {missing, "", "B.JPG", std::errc::file_exists},  // Windows' names ignore letter case
      {missing, "", "folder.jpg", std::errc::file_exists},
      {missing, "", "new.jpg", std::errc::no_such_file_or_directory},
      {temp / "src", "", "new.jpg", std::errc::is_a_directory},
      {source, "absent", "new.jpg", std::errc::no_such_file_or_directory},
      {source, "file", "new.jpg", std::errc::not_a_directory},
      {source, "", "sub\\new.jpg", std::errc::invalid_argument},
      {source, "", "b.jpg:stream", std::errc::invalid_argument},  // no stream of an existing file
  };
  for (const auto& c : cases) {
    EXPECT_EQ(target->CopyInto(c.source, c.folder, c.name, nullptr), std::make_error_code(c.error))
        << c.folder << "/" << c.name;
  }
  EXPECT_EQ(Listing(temp / "t"), (std::vector<std::string>{"b.jpg", "file", "folder.jpg"}));
  EXPECT_EQ(FileBytes(temp / "t/b.jpg"), "old");
}

TEST(Win32TargetFolder, MakesFoldersAndTellsWhatIsThere) {
  TTempFolder temp;
  temp.Write("t/file", "abc");
  temp.MakeFolder("t/old");
  const auto target = Open(temp / "t");

  std::optional<TFileIdentity> made;
  EXPECT_FALSE(target->MakeFolder("2004", &made));
  ASSERT_TRUE(made.has_value());
  EXPECT_EQ(*made, Open(temp / "t/2004")->Identity());
  EXPECT_NE(*made, target->Identity());
  EXPECT_FALSE(target->MakeFolder("OLD", &made)) << "a folder that is there already, in any letter case";
  EXPECT_FALSE(made.has_value());
  EXPECT_EQ(target->MakeFolder("file", &made), std::errc::not_a_directory);
  EXPECT_FALSE(made.has_value());

  EXPECT_EQ(target->LookUp("", "2004"), TEntryLook::Folder);
  EXPECT_EQ(target->LookUp("", "FILE"), TEntryLook::Other);
  EXPECT_EQ(target->LookUp("", "none"), TEntryLook::Absent);
  EXPECT_EQ(target->LookUp("file", "x"), TEntryLook::Absent) << "a folder that is no folder holds nothing";
  EXPECT_EQ(target->Facts("", "file").value_or(TFileFacts{}).size, 3u);
  EXPECT_FALSE(target->Facts("", "2004").has_value());

  std::error_code error;
  EXPECT_EQ(OpenWin32TargetFolder(temp / "t/file", true, error), nullptr);
  EXPECT_EQ(error, std::errc::not_a_directory);
  EXPECT_EQ(OpenWin32TargetFolder(temp / "t/none", true, error), nullptr);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

// Nested date folders: each level made inside the one before, and reached level by level.
TEST(Win32TargetFolder, ReachesNestedFoldersLevelByLevel) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", "bytes");
  temp.Write("t/file", "");
  temp.MakeFolder("t/2004");
  const auto target = Open(temp / "t");

  std::optional<TFileIdentity> made;
  EXPECT_FALSE(target->MakeFolder("2004\\08", &made));
  ASSERT_TRUE(made.has_value());
  EXPECT_EQ(*made, Open(temp / "t/2004/08")->Identity());
  EXPECT_FALSE(target->MakeFolder("2004\\08\\07", nullptr));
  const struct {
    std::string name;
    std::errc error;
  } refused[] = {
      {"file\\08", std::errc::not_a_directory},
      {"none\\08", std::errc::no_such_file_or_directory},
      {"2004\\\\08", std::errc::invalid_argument},
      {"..\\08", std::errc::invalid_argument},
  };
  for (const auto& c : refused) {
    EXPECT_EQ(target->MakeFolder(c.name, nullptr), std::make_error_code(c.error)) << c.name;
    EXPECT_EQ(target->CopyInto(source, c.name, "a.jpg", nullptr), std::make_error_code(c.error)) << c.name;
  }

  TFileFacts facts;
  EXPECT_FALSE(target->CopyInto(source, "2004\\08\\07", "a.jpg", &facts));
  EXPECT_EQ(Listing(temp / "t/2004/08/07"), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(target->LookUp("2004\\08", "07"), TEntryLook::Folder);
  EXPECT_EQ(target->Facts("2004\\08\\07", "a.jpg"), facts);
  EXPECT_TRUE(target->HoldsSameBytes("2004\\08\\07", "a.jpg", source));
  EXPECT_EQ(target->RemoveFolder("2004\\08", *made, true, 0).error, std::errc::directory_not_empty);
  EXPECT_EQ(target->RemoveCopy("2004\\08\\07", "a.jpg", facts, source, false), TRemoval());
  EXPECT_EQ(target->RemoveFolder("none\\08", *made, false, 0), TRemoval(TRemovalVerdict::Gone));
  EXPECT_EQ(target->RemoveFolder("file\\08", *made, false, 0), TRemoval(TRemovalVerdict::FolderReplaced));
  EXPECT_FALSE(target->MakeFolder("2004\\08\\07", &made)) << "there";
  const TFileIdentity inner = Open(temp / "t/2004/08/07")->Identity();
  EXPECT_EQ(target->RemoveFolder("2004\\08\\07", inner, false, 0), TRemoval());
  EXPECT_EQ(Listing(temp / "t/2004/08"), std::vector<std::string>{});
}

TEST(Win32TargetFolder, RemovesOnlyTheCopyAndFolderTheRunMade) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", "0123456789");
  temp.MakeFolder("t");
  const auto target = Open(temp / "t");
  std::optional<TFileIdentity> made;
  ASSERT_FALSE(target->MakeFolder("d", &made));
  TFileFacts facts;
  ASSERT_FALSE(target->CopyInto(source, "d", "a.jpg", &facts));

  TFileFacts touched = facts;
  ++touched.lastWriteNanoseconds;
  const struct {
    const char* folder;
    const char* name;
    TFileFacts facts;
    TRemovalVerdict verdict;
  } checks[] = {
      {"d", "a.jpg", facts, TRemovalVerdict::Removed},
      {"d", "A.JPG", facts, TRemovalVerdict::Removed},
      {"d", "gone.jpg", facts, TRemovalVerdict::Gone},
      {"d", "a.jpg", touched, TRemovalVerdict::Changed},
      {"", "d", facts, TRemovalVerdict::NotRegularFile},
      {"none", "a.jpg", facts, TRemovalVerdict::Gone},
  };
  for (const auto& c : checks)
    EXPECT_EQ(target->RemoveCopy(c.folder, c.name, c.facts, source, true).verdict, c.verdict) << c.name;
  EXPECT_EQ(target->RemoveFolder("d", *made, true, 1), TRemoval{});
  EXPECT_EQ(target->RemoveFolder("d", *made, true, 0), TRemoval(TRemovalVerdict::Failed,
                                                                std::make_error_code(std::errc::directory_not_empty)));
  EXPECT_EQ(target->RemoveFolder("d", target->Identity(), true, 1).verdict, TRemovalVerdict::FolderReplaced);

  temp.Write("src/a.jpg", "9876543210");
  EXPECT_EQ(target->RemoveCopy("d", "a.jpg", facts, source, true).verdict, TRemovalVerdict::BytesDiffer);
  std::filesystem::remove(std::filesystem::path(WideText(source)));
  EXPECT_EQ(target->RemoveCopy("d", "a.jpg", facts, source, false), TRemoval{}) << "the facts do without a source";
  EXPECT_EQ(Listing(temp / "t/d"), std::vector<std::string>{});

  EXPECT_EQ(RemoveWin32EmptyFolder(temp / "t/d", target->Identity(), false, 0).verdict,
            TRemovalVerdict::FolderReplaced);
  EXPECT_EQ(RemoveWin32EmptyFolder(temp / "t/d", *made, true, 0), TRemoval{});
  EXPECT_EQ(target->RemoveFolder("d", *made, false, 0), TRemoval{});
  EXPECT_EQ(RemoveWin32EmptyFolder(temp / "t/d", *made, false, 0).verdict, TRemovalVerdict::Gone);
  EXPECT_EQ(Listing(temp / "t"), std::vector<std::string>{});
}

// Only a regular file with every byte of the picture holds it.
TEST(Win32TargetFolder, HoldsSameBytesOnlyForARegularFileOfTheSameBytes) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", "the picture");
  temp.Write("t/same.jpg", "the picture");
  temp.Write("t/other.jpg", "the pictur!");
  temp.Write("t/day/same.jpg", "the picture");
  const auto folder = Open(temp / "t");
  EXPECT_TRUE(folder->HoldsSameBytes("", "same.jpg", source));
  EXPECT_TRUE(folder->HoldsSameBytes("day", "same.jpg", source));
  EXPECT_FALSE(folder->HoldsSameBytes("", "other.jpg", source));
  EXPECT_FALSE(folder->HoldsSameBytes("", "day", source));
  EXPECT_FALSE(folder->HoldsSameBytes("", "missing.jpg", source));
  EXPECT_FALSE(folder->HoldsSameBytes("", "same.jpg", temp / "src/gone.jpg"));
}

TEST(Win32TargetFolder, WorksBelowPathsLongerThanThePlainApiTakes) {
  TTempFolder temp;
  std::string relative = "t";
  while ((temp / relative).size() < 300) relative += "/" + std::string(40, 'f');
  const std::string source = temp.Write(relative + "/a.jpg", "bytes");
  const auto target = Open(temp / relative);
  ASSERT_NE(target, nullptr);
  ASSERT_FALSE(target->MakeFolder("2004", nullptr));
  TFileFacts facts;
  EXPECT_FALSE(target->CopyInto(source, "2004", "b.jpg", &facts));
  EXPECT_EQ(target->Facts("2004", "b.jpg"), facts);
  EXPECT_EQ(FileBytes(temp / relative + "/2004/b.jpg"), "bytes");
  EXPECT_EQ(target->RemoveCopy("2004", "b.jpg", facts, source, false), TRemoval{});
  const auto identity = Open(temp / relative + "/2004")->Identity();
  EXPECT_EQ(RemoveWin32EmptyFolder(temp / relative + "/2004", identity, false, 0), TRemoval{});
}

std::atomic<UINT> endStatus{0};
void RecordEnd(UINT status) { endStatus = status; }

TEST(Win32InterruptCleanup, TheHandlerWaitsForAHoldThenRemovesThePendingFile) {
  TTempFolder temp;
  const std::string path = temp.Write("x.part", "half");
  TWinHandle file(CreateFileW(WideText(path).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file.Valid());
  endStatus = 0;
  std::thread handler;
  {
    const TInterruptHold hold;
    const TPendingFile pending(file.Get());
    handler = std::thread([] { HandleConsoleEvent(CTRL_C_EVENT, RecordEnd); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(endStatus, 0u) << "the handler waits while a hold lives";
  }
  handler.join();
  EXPECT_EQ(endStatus, 0xC000013Au);
  EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{"x.part"}) << "no file was pending any more";

  endStatus = 0;
  {
    const std::lock_guard lock(InterruptLock());
    const TPendingFile pending(file.Get());
    HandleConsoleEvent(CTRL_BREAK_EVENT, RecordEnd);
  }
  EXPECT_EQ(endStatus, 0xC000013Au);
  file.Reset();
  EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{});
}

// Copies `source` to "b.jpg" in `folder` and, once the copy's temporary file is seen while the
// bytes are written, calls `caught` with its path under the interrupt lock, where the copy waits
// before it names the file. Answers the copy's result; none when the copy was never seen writing.
std::optional<std::error_code> CatchWriting(const std::string& folder, const std::string& source,
                                            const std::function<void(const std::string&)>& caught) {
  const auto target = Open(folder);
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::atomic<bool> done = false;
    std::error_code result;
    std::thread copy([&] {
      result = target->CopyInto(source, "", "b.jpg", nullptr);
      done = true;
    });
    bool seen = false;
    while (!done && !seen) {
      for (const std::string& name : Listing(folder)) {
        if (seen || !name.starts_with(".kalvero-") || !name.ends_with(".part")) continue;
        const std::lock_guard lock(InterruptLock());
        if (Attributes(folder + "/" + name) == INVALID_FILE_ATTRIBUTES) continue;  // named meanwhile
        seen = true;
        caught(folder + "/" + name);
      }
    }
    copy.join();
    if (seen) return result;
    std::filesystem::remove(std::filesystem::path(WideText(folder + "/b.jpg")));
  }
  return std::nullopt;
}

TEST(Win32InterruptCleanup, TheCopysHiddenTemporaryFileIsWhatTheHandlerRemoves) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", std::string(64 << 20, 'x'));
  temp.MakeFolder("t");
  endStatus = 0;
  const auto result = CatchWriting(temp / "t", source, [](const std::string& temporary) {
    EXPECT_NE(Attributes(temporary) & FILE_ATTRIBUTE_HIDDEN, 0u);
    HandleConsoleEvent(CTRL_C_EVENT, RecordEnd);
  });
  ASSERT_TRUE(result.has_value()) << "the copy was never seen writing";
  EXPECT_EQ(endStatus, 0xC000013Au);
  // The process would have ended with the handler; once its handles are closed, nothing is left.
  EXPECT_EQ(Listing(temp / "t"), std::vector<std::string>{});
}

TEST(Win32TargetFolder, ANameTakenWhileTheBytesAreWrittenFailsTheCopyAndStays) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", std::string(64 << 20, 'x'));
  temp.MakeFolder("t");
  const auto result = CatchWriting(temp / "t", source, [&](const std::string&) { temp.Write("t/B.JPG", "other"); });
  ASSERT_TRUE(result.has_value()) << "the copy was never seen writing";
  EXPECT_EQ(*result, std::errc::file_exists);
  EXPECT_EQ(Listing(temp / "t"), std::vector<std::string>{"B.JPG"});
  EXPECT_EQ(FileBytes(temp / "t/B.JPG"), "other");
}

}  // namespace
}  // namespace kalvero

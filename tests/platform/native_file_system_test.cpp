#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "platform/file_system.h"
#include "tests/support/seek_check.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

std::vector<std::string> Names(const std::vector<TFolderEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

TEST(NativeFileSystem, ListsFoldersAndRegularFilesInNameOrder) {
  TTempFolder temp;
  for (const char* name : {"b.jpg", "A.JPG", "a.jpg", ".hidden.jpg"}) temp.Write(name);
  temp.MakeFolder("sub");
  const auto entries = NativeFileSystem().ListFolder(temp.Path());
  EXPECT_EQ(Names(entries), (std::vector<std::string>{".hidden.jpg", "A.JPG", "a.jpg", "b.jpg", "sub"}));
  EXPECT_TRUE(entries[0].hidden);
  EXPECT_FALSE(entries[1].hidden);
  EXPECT_EQ(entries[4].kind, TEntryKind::Folder);
  EXPECT_EQ(entries[4].identity, NativeFileSystem().FolderIdentity(temp / "sub"));
}

TEST(NativeFileSystem, FollowsLinksAndSkipsEverythingButFoldersAndFiles) {
  TTempFolder temp;
  temp.Write("real/x.jpg");
  std::filesystem::create_directory_symlink(temp / "real", temp / "linked");
  std::filesystem::create_symlink(temp / "real/x.jpg", temp / "file-link.jpg");
  std::filesystem::create_symlink(temp / "missing", temp / "broken.jpg");
  ASSERT_EQ(::mkfifo((temp / "fifo.jpg").c_str(), 0600), 0);

  const auto entries = NativeFileSystem().ListFolder(temp.Path());
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"file-link.jpg", "linked", "real"}));
  EXPECT_EQ(entries[0].kind, TEntryKind::File);
  EXPECT_EQ(entries[1].kind, TEntryKind::Folder);
  EXPECT_EQ(entries[1].identity, entries[2].identity) << "a link reaches the same folder";
}

TEST(NativeFileSystem, MissingFolderHasNoEntries) {
  TTempFolder temp;
  EXPECT_TRUE(NativeFileSystem().ListFolder(temp / "nope").empty());
  EXPECT_FALSE(NativeFileSystem().FolderExists(temp / "nope"));
  EXPECT_FALSE(NativeFileSystem().FolderExists(temp.Write("file")));
  EXPECT_TRUE(NativeFileSystem().FolderExists(temp.Path()));
}

TEST(NativeFileSystem, FileFactsComeFromOneQueryOfARegularFile) {
  TTempFolder temp;
  const std::string file = temp.Write("a.jpg", "12345");
  const timespec times[2] = {{0, UTIME_OMIT}, {1'100'000'000, 123'456'789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  const auto facts = NativeFileSystem().FileFacts(file);
  ASSERT_TRUE(facts.has_value());
  EXPECT_EQ(facts->size, 5u);
  EXPECT_EQ(facts->lastWriteNanoseconds, 1'100'000'000'123'456'789);
  EXPECT_FALSE(NativeFileSystem().FileFacts(temp.Path()).has_value());
  EXPECT_FALSE(NativeFileSystem().FileFacts(temp / "missing").has_value());
}

TEST(NativeFileSystem, OpensOnlyRegularFilesAndNeverBlocks) {
  TTempFolder temp;
  ASSERT_EQ(::mkfifo((temp / "fifo.jpg").c_str(), 0600), 0);
  std::error_code error;
  EXPECT_EQ(NativeFileSystem().OpenRead(temp / "fifo.jpg", error), nullptr);
  EXPECT_TRUE(error);
  EXPECT_EQ(NativeFileSystem().OpenRead(temp.Path(), error), nullptr);
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_EQ(NativeFileSystem().OpenRead(temp / "missing", error), nullptr);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);

  auto file = NativeFileSystem().OpenRead(temp.Write("a.jpg", "abc"), error);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(error);
  std::array<std::byte, 8> buffer{};
  EXPECT_EQ(file->Read(buffer), 3u);
  EXPECT_EQ(file->Read(buffer), 0u);
}

TEST(NativeFileSystem, ReadsFromWhereTheFileWasSoughtTo) {
  TTempFolder temp;
  std::error_code error;
  auto file = NativeFileSystem().OpenRead(temp.Write("a.heic", "0123456789"), error);
  ASSERT_NE(file, nullptr);
  ExpectReadsFromEachPlace(*file);
}

TEST(NativeFileSystem, CreatesOneFolderAndReportsWhyItCannot) {
  TTempFolder temp;
  EXPECT_FALSE(NativeFileSystem().CreateFolder(temp / "new"));
  EXPECT_TRUE(NativeFileSystem().FolderExists(temp / "new"));
  EXPECT_EQ(NativeFileSystem().CreateFolder(temp / "new"), std::errc::file_exists);
  EXPECT_EQ(NativeFileSystem().CreateFolder(temp / "a/b"), std::errc::no_such_file_or_directory);
}

TEST(NativeFileSystem, ReadsWholeRegularFilesUpToTheLimit) {
  TTempFolder temp;
  const std::string file = temp.Write("a.ini", std::string(200000, 'x'));
  std::error_code error = std::make_error_code(std::errc::io_error);
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(file, 200000, error), std::string(200000, 'x'));
  EXPECT_FALSE(error);
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(file, 199999, error), std::nullopt);
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(temp.Write("empty.ini"), 0, error), "");
  EXPECT_FALSE(error);
}

TEST(NativeFileSystem, ReadsNothingWholeButRegularFiles) {
  TTempFolder temp;
  ASSERT_EQ(::mkfifo((temp / "fifo.ini").c_str(), 0600), 0);
  std::error_code error;
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(temp / "fifo.ini", 100, error), std::nullopt);
  EXPECT_EQ(error, std::errc::invalid_argument);
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(temp.Path(), 100, error), std::nullopt);
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_EQ(NativeFileSystem().ReadWholeFile(temp / "missing.ini", 100, error), std::nullopt);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace kalvero

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_system.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

struct stat Status(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status;
}

TEST(CopyToNewFile, CopiesBytesModeAndLastWriteTime) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", std::string(300000, 'x') + "end");
  ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
  const timespec times[2] = {{0, UTIME_OMIT}, {1'091'900'733, 987'654'321}};
  ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
  const auto before = Status(source);

  EXPECT_FALSE(NativeFileSystem().CopyToNewFile(source, temp / "b.jpg"));

  EXPECT_EQ(FileBytes(temp / "b.jpg"), FileBytes(source));
  const auto copy = Status(temp / "b.jpg");
  EXPECT_EQ(copy.st_mode & 0777, 0640u);
  EXPECT_EQ(copy.st_mtim.tv_sec, 1'091'900'733);
  EXPECT_EQ(copy.st_mtim.tv_nsec, 987'654'321);
  const auto after = Status(source);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec) << "the source is only read";
  EXPECT_EQ(after.st_size, before.st_size);
}

TEST(CopyToNewFile, NeverReplacesAnExistingEntry) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", "new");
  temp.Write("file.jpg", "old");
  std::filesystem::create_symlink(temp / "elsewhere.jpg", temp / "dangling.jpg");
  temp.MakeFolder("folder.jpg");
  for (const char* target : {"file.jpg", "dangling.jpg", "folder.jpg"})
    EXPECT_EQ(NativeFileSystem().CopyToNewFile(source, temp / target), std::errc::file_exists) << target;
  EXPECT_EQ(FileBytes(temp / "file.jpg"), "old");
  EXPECT_FALSE(std::filesystem::exists(temp / "elsewhere.jpg")) << "a link is not followed";
}

TEST(CopyToNewFile, RefusesSourcesThatAreNoRegularFiles) {
  TTempFolder temp;
  ASSERT_EQ(::mkfifo((temp / "pipe.jpg").c_str(), 0600), 0);
  EXPECT_TRUE(NativeFileSystem().CopyToNewFile(temp / "pipe.jpg", temp / "copy.jpg"));
  EXPECT_TRUE(NativeFileSystem().CopyToNewFile(temp.Path(), temp / "copy2.jpg"));
  EXPECT_TRUE(NativeFileSystem().CopyToNewFile(temp / "missing.jpg", temp / "copy3.jpg"));
  EXPECT_FALSE(std::filesystem::exists(temp / "copy.jpg"));
  EXPECT_FALSE(std::filesystem::exists(temp / "copy2.jpg"));
  EXPECT_FALSE(std::filesystem::exists(temp / "copy3.jpg"));
}

TEST(CopyToNewFile, MissingTargetFolderFails) {
  TTempFolder temp;
  EXPECT_EQ(NativeFileSystem().CopyToNewFile(temp.Write("a.jpg"), temp / "no/b.jpg"),
            std::errc::no_such_file_or_directory);
}

// A file-size limit makes the write fail half way, as a full disk would.
TEST(CopyToNewFile, FailureHalfWayLeavesNoPartialFile) {
  TTempFolder temp;
  const std::string source = temp.Write("big.jpg", std::string(64 * 1024, 'x'));
  const std::error_code error = [&] {
    const TFileSizeLimit limit(4096);
    return NativeFileSystem().CopyToNewFile(source, temp / "copy.jpg");
  }();

  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_FALSE(std::filesystem::exists(temp / "copy.jpg"));
  EXPECT_EQ(FileBytes(source).size(), 64u * 1024);
}

}  // namespace
}  // namespace kalvero

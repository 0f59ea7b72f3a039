#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/file_system.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

std::size_t EntryCount(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The tests run as root, which the system lets write anything; a file of another owner shows
// that the permission bits of the class the user falls in decide, and that the owner is kept.
TEST(ReplaceFileContent, BitsOfTheUsersClassDecideAndTheOwnerIsKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a file another owner";
  TTempFolder temp;
  const std::string file = temp.Write("a.ini", "old");
  ASSERT_EQ(::chown(file.c_str(), 54321, 54321), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0660), 0);
  EXPECT_EQ(NativeFileSystem().ReplaceFileContent(file, "new"), std::errc::permission_denied);
  EXPECT_EQ(FileBytes(file), "old");

  ASSERT_EQ(::chmod(file.c_str(), 0602), 0);
  EXPECT_FALSE(NativeFileSystem().ReplaceFileContent(file, "new"));
  EXPECT_EQ(FileBytes(file), "new");
  struct stat status {};
  ASSERT_EQ(::stat(file.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 54321u);
  EXPECT_EQ(status.st_gid, 54321u);
  EXPECT_EQ(status.st_mode & 07777, 0602u);
}

// A file-size limit makes the write fail half way, as a full disk would.
TEST(ReplaceFileContent, FailureHalfWayKeepsTheOldFileAndLeavesNoOther) {
  TTempFolder temp;
  const std::string file = temp.Write("a.ini", "old");
  const std::error_code error = [&] {
    const TFileSizeLimit limit(4096);
    return NativeFileSystem().ReplaceFileContent(file, std::string(64 * 1024, 'x'));
  }();

  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(FileBytes(file), "old");
  EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST(ReplaceFileContent, RefusesWhatIsNoRegularFile) {
  TTempFolder temp;
  ASSERT_EQ(::mkfifo((temp / "fifo.ini").c_str(), 0600), 0);
  EXPECT_EQ(NativeFileSystem().ReplaceFileContent(temp / "fifo.ini", "new"), std::errc::invalid_argument);
  EXPECT_EQ(NativeFileSystem().ReplaceFileContent("", "new"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

}  // namespace
}  // namespace kalvero

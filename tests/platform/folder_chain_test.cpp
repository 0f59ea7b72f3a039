#include "platform/folder_chain.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/memory_file_system.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

TEST(CreateFolderChain, CreatesEveryMissingParentFirst) {
  TTempFolder temp;
  EXPECT_TRUE(CreateFolderChain(NativeFileSystem(), temp / "a/b/c/"));
  EXPECT_TRUE(std::filesystem::is_directory(temp / "a/b/c"));
  EXPECT_TRUE(CreateFolderChain(NativeFileSystem(), temp / "a/b/c")) << "an existing folder is fine";
}

TEST(CreateFolderChain, BareRelativeNameIsMadeInTheCurrentFolder) {
  TMemoryFileSystem fs;
  EXPECT_TRUE(CreateFolderChain(fs, "sorted"));
  EXPECT_TRUE(CreateFolderChain(fs, "ab"));
  EXPECT_TRUE(fs.FolderExists("sorted"));
  EXPECT_TRUE(fs.FolderExists("ab"));
}

TEST(CreateFolderChain, FailuresReturnQuietly) {
  TMemoryFileSystem fs;
  fs.AddFile("file", "");
  EXPECT_FALSE(CreateFolderChain(fs, "file/sub"));
  fs.FailCreateFolder("t/u", std::errc::permission_denied);
  EXPECT_FALSE(CreateFolderChain(fs, "t/u/v"));
  EXPECT_TRUE(fs.FolderExists("t")) << "the parents made before the failure stay";
  EXPECT_FALSE(CreateFolderChain(fs, ""));
}

}  // namespace
}  // namespace kalvero

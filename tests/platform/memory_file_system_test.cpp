#include "platform/memory_file_system.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "tests/support/case_name.h"
#include "tests/support/seek_check.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

TEST(MemoryFileSystem, BehavesLikeTheNativeOneForListingAndOpening) {
  TMemoryFileSystem fs;
  fs.AddFile("src/b.jpg", "bb", 42);
  fs.AddFile("src/A.jpg", "a");
  fs.AddFolder("src/.hidden");
  fs.AddSpecial("src/fifo.jpg");
  fs.AddFolderLink("src/loop", "src");

  const auto entries = fs.ListFolder("src/");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, ".hidden");
  EXPECT_TRUE(entries[0].hidden);
  EXPECT_EQ(entries[1].name, "A.jpg");
  EXPECT_EQ(entries[3].name, "loop");
  EXPECT_EQ(entries[3].identity, fs.FolderIdentity("src"));
  EXPECT_EQ(fs.FileFacts("src//b.jpg")->lastWriteNanoseconds, 42);

  std::error_code error;
  EXPECT_EQ(fs.OpenRead("src/fifo.jpg", error), nullptr);
  EXPECT_TRUE(error);
  auto file = fs.OpenRead("src/loop/b.jpg", error);
  ASSERT_NE(file, nullptr);
  std::array<std::byte, 4> buffer{};
  EXPECT_EQ(file->Read(buffer), 2u);
}

TEST(MemoryFileSystem, ReadsFromWhereTheFileWasSoughtTo) {
  TMemoryFileSystem fs;
  fs.AddFile("a.heic", "0123456789");
  std::error_code error;
  auto file = fs.OpenRead("a.heic", error);
  ASSERT_NE(file, nullptr);
  ExpectReadsFromEachPlace(*file);
}

TEST(MemoryFileSystem, InjectedFailuresAndFolderCreationRules) {
  TMemoryFileSystem fs;
  fs.AddFile("a.jpg", "x");
  fs.FailOpen("a.jpg", std::errc::permission_denied);
  std::error_code error;
  EXPECT_EQ(fs.OpenRead("a.jpg", error), nullptr);
  EXPECT_EQ(error, std::errc::permission_denied);

  EXPECT_FALSE(fs.CreateFolder("t"));
  EXPECT_EQ(fs.CreateFolder("t"), std::errc::file_exists);
  EXPECT_EQ(fs.CreateFolder("x/y"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.CreateFolder("a.jpg/y"), std::errc::not_a_directory);
  fs.FailCreateFolder("t/full", std::errc::no_space_on_device);
  EXPECT_EQ(fs.CreateFolder("t/full"), std::errc::no_space_on_device);
  EXPECT_FALSE(fs.FolderExists("t/full"));
}

struct TRemovalCase {
  std::string name;
  void (*change)(TMemoryFileSystem&);  // what happened to the copy t/2004/a.jpg since the run
  TRemoval removal;
};

const std::vector<TRemovalCase> kRemovals = {
    {"Unchanged", [](TMemoryFileSystem&) {}, {}},
    {"AnotherFileOfTheSameSizeAndTime", [](TMemoryFileSystem& fs) { fs.AddFile("t/2004/a.jpg", "copy", 5); },
     TRemovalVerdict::Changed},
    {"RewrittenInPlace", [](TMemoryFileSystem& fs) { static_cast<void>(fs.ReplaceFileContent("t/2004/a.jpg", "copy")); },
     TRemovalVerdict::Changed},
    {"NoRegularFile", [](TMemoryFileSystem& fs) { fs.AddSpecial("t/2004/a.jpg"); }, TRemovalVerdict::NotRegularFile},
    {"SourceDiffers", [](TMemoryFileSystem& fs) { fs.AddFile("a.jpg", "edit", 5); }, TRemovalVerdict::BytesDiffer},
    {"FolderALink", [](TMemoryFileSystem& fs) { fs.AddFolderLink("t/2004", "elsewhere"); },
     TRemovalVerdict::FolderReplaced},
    {"Immutable", [](TMemoryFileSystem& fs) { fs.FailRemove("t/2004/a.jpg", std::errc::operation_not_permitted); },
     {TRemovalVerdict::Failed, std::make_error_code(std::errc::operation_not_permitted)}},
};

class MemoryRemovalTest : public testing::TestWithParam<TRemovalCase> {};

// Undo's verdicts are its own: a refusal of the system never passes for one of them.
TEST_P(MemoryRemovalTest, RemovesTheCopyOnlyWhileItIsTheRunsFile) {
  TMemoryFileSystem fs;
  fs.AddFile("a.jpg", "copy", 5);
  fs.AddFolder("t");
  std::error_code error;
  const auto target = fs.OpenTargetFolder("t", error);
  std::optional<TFileIdentity> folder;
  ASSERT_FALSE(target->MakeFolder("2004", &folder));
  TFileFacts copy;
  ASSERT_FALSE(target->CopyInto("a.jpg", "2004", "a.jpg", &copy));
  GetParam().change(fs);
  // The system's refusal shows only when it is asked to remove.
  const bool refused = GetParam().removal.verdict == TRemovalVerdict::Failed;
  EXPECT_EQ(target->RemoveCopy("2004", "a.jpg", copy, "a.jpg", true), refused ? TRemoval() : GetParam().removal);
  EXPECT_EQ(target->RemoveCopy("2004", "a.jpg", copy, "a.jpg", false), GetParam().removal);
  if (GetParam().name == "FolderALink") return;
  const bool removed = GetParam().removal == TRemoval();
  EXPECT_EQ(fs.Exists("t/2004/a.jpg"), !removed);
  // Its folder goes only when it is empty, and only while it is the folder the run made.
  EXPECT_EQ(target->RemoveFolder("2004", {0, folder->inode + 1}, false, 0), TRemoval(TRemovalVerdict::FolderReplaced));
  EXPECT_EQ(target->RemoveFolder("2004", *folder, false, 0).verdict,
            removed ? TRemovalVerdict::Removed : TRemovalVerdict::Failed);
}

INSTANTIATE_TEST_SUITE_P(Changes, MemoryRemovalTest, testing::ValuesIn(kRemovals), TCaseName());

}  // namespace
}  // namespace kalvero

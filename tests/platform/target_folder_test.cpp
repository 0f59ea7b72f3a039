#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/posix/pending_file.h"
#include "platform/posix/posix_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

struct stat Status(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status;
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::ranges::sort(names);
  return names;
}

std::unique_ptr<TTargetFolder> Open(TFileSystem& fileSystem, const std::string& path) {
  std::error_code error;
  auto folder = fileSystem.OpenTargetFolder(path, error);
  EXPECT_FALSE(error) << error.message();
  return folder;
}

// Every road gives the same copies; the later ones serve file systems that lack the earlier.
class TargetFolderRoadTest : public testing::TestWithParam<TCopyRoad> {
 protected:
  TTempFolder temp;
  TPosixFileSystem fileSystem{SystemCopyCalls(), GetParam()};
};

TEST_P(TargetFolderRoadTest, CopiesBytesModeAndLastWriteTimeAndLeavesNothingElse) {
  const std::string source = temp.Write("src/a.jpg", std::string(300000, 'x') + "end");
  ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
  const timespec times[2] = {{0, UTIME_OMIT}, {1'091'900'733, 987'654'321}};
  ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
  const auto before = Status(source);
  temp.MakeFolder("t/2004");

  const auto target = Open(fileSystem, temp / "t");
  TFileFacts facts;
  EXPECT_FALSE(target->CopyInto(source, "", "b.jpg", &facts));
  EXPECT_EQ(facts.size, 300003u) << "the copy's facts as the file system keeps them";
  EXPECT_EQ(facts.lastWriteNanoseconds, 1'091'900'733'987'654'321);
  EXPECT_EQ(facts, FactsOf(Status(temp / "t/b.jpg"))) << "its identity and change time once under its name";
  EXPECT_FALSE(target->CopyInto(source, "2004", "c.jpg", nullptr));
  EXPECT_FALSE(target->Flush());

  EXPECT_EQ(Listing(temp / "t"), (std::vector<std::string>{"2004", "b.jpg"}));
  EXPECT_EQ(Listing(temp / "t/2004"), std::vector<std::string>{"c.jpg"});
  for (const char* copy : {"t/b.jpg", "t/2004/c.jpg"}) {
    EXPECT_EQ(FileBytes(temp / copy), FileBytes(source));
    const auto status = Status(temp / copy);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(status.st_mtim.tv_sec, 1'091'900'733);
    EXPECT_EQ(status.st_mtim.tv_nsec, 987'654'321);
  }
  const auto after = Status(source);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec) << "the source is only read";
  EXPECT_EQ(after.st_size, before.st_size);
}

TEST_P(TargetFolderRoadTest, AnExistingNameFailsBeforeTheSourceIsOpenedAndStaysAsItWas) {
  const std::string source = temp.Write("a.jpg", "new");
  temp.Write("t/file.jpg", "old");
  std::filesystem::create_symlink(temp / "elsewhere.jpg", temp / "t/dangling.jpg");
  temp.MakeFolder("t/folder.jpg");
  const auto target = Open(fileSystem, temp / "t");
  for (const char* name : {"file.jpg", "dangling.jpg", "folder.jpg"}) {
    EXPECT_EQ(target->CopyInto(source, "", name, nullptr), std::errc::file_exists) << name;
    // A source that does not exist is not even looked at when the name is taken.
    EXPECT_EQ(target->CopyInto(temp / "missing.jpg", "", name, nullptr), std::errc::file_exists) << name;
  }
  EXPECT_EQ(FileBytes(temp / "t/file.jpg"), "old");
  EXPECT_FALSE(std::filesystem::exists(temp / "elsewhere.jpg")) << "a link is not followed";
  EXPECT_EQ(Listing(temp / "t"), (std::vector<std::string>{"dangling.jpg", "file.jpg", "folder.jpg"}));
}

TEST_P(TargetFolderRoadTest, FailureHalfWayLeavesNothingBehind) {
  const std::string source = temp.Write("big.jpg", std::string(64 * 1024, 'x'));
  temp.MakeFolder("t");
  const auto target = Open(fileSystem, temp / "t");
  const std::error_code error = [&] {
    const TFileSizeLimit limit(4096);
    return target->CopyInto(source, "", "copy.jpg", nullptr);
  }();
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_TRUE(Listing(temp / "t").empty());
  EXPECT_EQ(FileBytes(source).size(), 64u * 1024);
}

std::string RoadName(const testing::TestParamInfo<TCopyRoad>& row) {
  constexpr const char* kNames[] = {"UnnamedFile", "TemporaryName", "ExclusiveCreate"};
  return kNames[static_cast<int>(row.param)];
}

INSTANTIATE_TEST_SUITE_P(Roads, TargetFolderRoadTest,
                         testing::Values(TCopyRoad::UnnamedFile, TCopyRoad::TemporaryName, TCopyRoad::ExclusiveCreate),
                         RoadName);

TEST(TargetFolder, RefusesSourcesThatAreNoRegularFiles) {
  TTempFolder temp;
  ASSERT_EQ(::mkfifo((temp / "pipe.jpg").c_str(), 0600), 0);
  const auto target = Open(NativeFileSystem(), temp.MakeFolder("t"));
  EXPECT_TRUE(target->CopyInto(temp / "pipe.jpg", "", "copy.jpg", nullptr));
  EXPECT_TRUE(target->CopyInto(temp.Path(), "", "copy2.jpg", nullptr));
  EXPECT_TRUE(target->CopyInto(temp / "missing.jpg", "", "copy3.jpg", nullptr));
  EXPECT_TRUE(Listing(temp / "t").empty());
}

TEST(TargetFolder, NeverWritesThroughALinkBelowIt) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", "x");
  temp.MakeFolder("t");
  temp.MakeFolder("elsewhere");
  std::filesystem::create_directory_symlink(temp / "elsewhere", temp / "t/2008.05.30");
  temp.Write("t/file", "a file");
  const auto target = Open(NativeFileSystem(), temp / "t");
  EXPECT_EQ(target->MakeFolder("2008.05.30", nullptr), std::errc::not_a_directory);
  EXPECT_EQ(target->MakeFolder("file", nullptr), std::errc::not_a_directory);
  EXPECT_EQ(target->CopyInto(source, "2008.05.30", "a.jpg", nullptr), std::errc::not_a_directory);
  EXPECT_EQ(target->CopyInto(source, "file", "a.jpg", nullptr), std::errc::not_a_directory);
  EXPECT_EQ(target->CopyInto(source, "missing", "a.jpg", nullptr), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(Listing(temp / "elsewhere").empty());

  std::optional<TFileIdentity> made;
  EXPECT_FALSE(target->MakeFolder("new", &made));
  EXPECT_EQ(made, IdentityOf(Status(temp / "t/new")));
  EXPECT_FALSE(target->MakeFolder("new", &made)) << "a folder that is there is no error";
  EXPECT_FALSE(made);
  EXPECT_EQ(target->LookUp("", "new"), TEntryLook::Folder);
  EXPECT_EQ(target->LookUp("", "2008.05.30"), TEntryLook::Other) << "a link is no folder";
  EXPECT_EQ(target->LookUp("2008.05.30", "anything"), TEntryLook::Absent) << "nothing is looked up through a link";
  EXPECT_EQ(target->LookUp("", "gone"), TEntryLook::Absent);
  EXPECT_TRUE(std::filesystem::is_directory(temp / "t/new"));
}

TEST(TargetFolder, TheTargetItselfMayBeALinkTheUserNamed) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", "x");
  temp.MakeFolder("real");
  std::filesystem::create_directory_symlink(temp / "real", temp / "named");
  const auto target = Open(NativeFileSystem(), temp / "named");
  EXPECT_FALSE(target->CopyInto(source, "", "a.jpg", nullptr));
  EXPECT_EQ(FileBytes(temp / "real/a.jpg"), "x");
}

// Calls that fail as file systems without them do. Each records its name, so a test can tell
// which road a copy took.
std::vector<std::string> calls;

int Fail(const char* name, int error) {
  calls.push_back(name);
  errno = error;
  return -1;
}

struct TFallbackCase {
  std::string name;
  TCopyCalls calls;
  std::vector<std::string> expected;  // the recorded calls of one copy
};

TCopyCalls With(void (*change)(TCopyCalls&)) {
  TCopyCalls result = SystemCopyCalls();
  change(result);
  return result;
}

const std::vector<TFallbackCase> kFallbacks = {
    {"LinkByHandleNeedsAPrivilege",
     With([](TCopyCalls& c) { c.linkByHandle = [](int, int, const char*) { return Fail("linkByHandle", ENOENT); }; }),
     {"linkByHandle"}},
    {"NoProcToLinkThrough", With([](TCopyCalls& c) {
       c.linkByHandle = [](int, int, const char*) { return Fail("linkByHandle", ENOENT); };
       c.linkThroughProc = [](int, int, const char*) { return Fail("linkThroughProc", ENOENT); };
     }),
     {"linkByHandle", "linkThroughProc"}},
    {"NoUnnamedFiles", With([](TCopyCalls& c) { c.openUnnamed = [](int) { return Fail("openUnnamed", EOPNOTSUPP); }; }),
     {"openUnnamed"}},
    {"NoRenameWithoutReplacing", With([](TCopyCalls& c) {
       c.openUnnamed = [](int) { return Fail("openUnnamed", EOPNOTSUPP); };
       c.renameNoReplace = [](int, const char*, const char*) { return Fail("renameNoReplace", EINVAL); };
     }),
     {"openUnnamed", "renameNoReplace"}},
    {"NeitherRenameNorLinks", With([](TCopyCalls& c) {
       c.openUnnamed = [](int) { return Fail("openUnnamed", EOPNOTSUPP); };
       c.renameNoReplace = [](int, const char*, const char*) { return Fail("renameNoReplace", EINVAL); };
       c.linkName = [](int, const char*, const char*) { return Fail("linkName", EPERM); };
     }),
     {"openUnnamed", "renameNoReplace", "linkName"}},
    {"NoPermissionBitsOrTimes", With([](TCopyCalls& c) {
       c.changeMode = [](int, mode_t) { return Fail("changeMode", EPERM); };
       c.changeTimes = [](int, const timespec*) { return Fail("changeTimes", EPERM); };
     }),
     {"changeMode", "changeTimes"}},
};

class TargetFolderFallbackTest : public testing::TestWithParam<TFallbackCase> {};

TEST_P(TargetFolderFallbackTest, CopiesCompletelyOnTheNextRoadAndRemembersIt) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", std::string(100000, 'p'));
  temp.MakeFolder("t");
  TPosixFileSystem fileSystem(GetParam().calls, TCopyRoad::UnnamedFile);
  const auto target = Open(fileSystem, temp / "t");
  calls.clear();
  EXPECT_FALSE(target->CopyInto(source, "", "a.jpg", nullptr));
  EXPECT_EQ(calls, GetParam().expected);
  EXPECT_EQ(FileBytes(temp / "t/a.jpg"), FileBytes(source));
  EXPECT_EQ(Listing(temp / "t"), std::vector<std::string>{"a.jpg"}) << "no temporary file is left";
  // A road that failed is not tried again: the second copy asks only what the road it took needs.
  calls.clear();
  EXPECT_FALSE(target->CopyInto(source, "", "b.jpg", nullptr));
  const bool attributes = GetParam().name == "NoPermissionBitsOrTimes";
  EXPECT_EQ(calls.size(), attributes ? 2u : 0u) << testing::PrintToString(calls);
  EXPECT_EQ(FileBytes(temp / "t/b.jpg"), FileBytes(source));
}

INSTANTIATE_TEST_SUITE_P(Fallbacks, TargetFolderFallbackTest, testing::ValuesIn(kFallbacks), TCaseName());

TEST(TargetFolder, ANameTakenByARaceIsAClashOnEveryRoad) {
  TTempFolder temp;
  const std::string source = temp.Write("a.jpg", "new");
  temp.MakeFolder("t");
  // Another program takes the name between the look-up and the naming of the copy.
  TCopyCalls unnamed = SystemCopyCalls();
  unnamed.linkByHandle = [](int, int, const char*) { return Fail("linkByHandle", EEXIST); };
  TCopyCalls temporary = SystemCopyCalls();
  temporary.renameNoReplace = [](int, const char*, const char*) { return Fail("renameNoReplace", EEXIST); };
  for (auto [road, copyCalls] : {std::pair{TCopyRoad::UnnamedFile, unnamed}, {TCopyRoad::TemporaryName, temporary}}) {
    TPosixFileSystem fileSystem(copyCalls, road);
    EXPECT_EQ(Open(fileSystem, temp / "t")->CopyInto(source, "", "a.jpg", nullptr), std::errc::file_exists);
    EXPECT_TRUE(Listing(temp / "t").empty());
  }
}

TEST(TargetFolder, FlushAnswersTheFileSystemsFailure) {
  TTempFolder temp;
  TCopyCalls failing = SystemCopyCalls();
  failing.syncFileSystem = [](int) { return Fail("syncFileSystem", EIO); };
  TPosixFileSystem fileSystem(failing);
  EXPECT_EQ(Open(fileSystem, temp.Path())->Flush(), std::errc::io_error);
}

// SIGTERM while a file is being written under a name removes it, and the process still ends by
// the signal.
TEST(InterruptCleanup, RemovesThePendingFileAndEndsByTheSignal) {
  TTempFolder temp;
  const std::string partial = temp.Write("partial.jpg", "half");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstallInterruptCleanup();
    const int folder = ::open(temp.Path().c_str(), O_RDONLY | O_DIRECTORY);
    const TPendingFile pending(folder, "partial.jpg");
    ::raise(SIGTERM);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_FALSE(std::filesystem::exists(partial));
}

}  // namespace
}  // namespace kalvero

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/interrupt_hold.h"
#include "platform/memory_file_system.h"
#include "platform/planning_file_system.h"
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

// A kernel copy that answers 0 bytes for a call the file system does not support, one that stops
// part way, and a source that shrinks while it is copied.
std::string shrinkingSource;

struct TContentFault {
  std::string name;
  ssize_t (*copyRange)(int from, int to, size_t length);
  bool complete;  // the copy succeeds with every byte; otherwise it fails and leaves nothing
};

const std::vector<TContentFault> kContentFaults = {
    {"NoProgressAtTheStart", [](int, int, size_t) -> ssize_t { return 0; }, true},
    {"StopsPartWay",
     [](int from, int to, size_t length) -> ssize_t {
       return ::lseek(from, 0, SEEK_CUR) == 0 ? SystemCopyCalls().copyRange(from, to, std::min<size_t>(length, 4096))
                                              : 0;
     },
     true},
    {"SourceShrinks",
     [](int from, int to, size_t length) -> ssize_t {
       if (::truncate(shrinkingSource.c_str(), 1000) != 0) return -1;
       return SystemCopyCalls().copyRange(from, to, length);
     },
     false},
};

class TargetFolderContentTest : public testing::TestWithParam<std::tuple<TCopyRoad, TContentFault>> {};

TEST_P(TargetFolderContentTest, ACopyCountsOnlyWithAllItsBytes) {
  const auto& [road, fault] = GetParam();
  TTempFolder temp;
  const std::string bytes = std::string(100000, 'k') + "end";
  shrinkingSource = temp.Write("a.jpg", bytes);
  temp.MakeFolder("t");
  TCopyCalls faulty = SystemCopyCalls();
  faulty.copyRange = fault.copyRange;
  TPosixFileSystem fileSystem(faulty, road);
  TFileFacts facts;
  const std::error_code error = Open(fileSystem, temp / "t")->CopyInto(shrinkingSource, "", "a.jpg", &facts);
  if (fault.complete) {
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(FileBytes(temp / "t/a.jpg"), bytes);
    EXPECT_EQ(facts.size, bytes.size());
  } else {
    EXPECT_EQ(error, std::errc::io_error);
    EXPECT_TRUE(Listing(temp / "t").empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, TargetFolderContentTest,
                         testing::Combine(testing::Values(TCopyRoad::UnnamedFile, TCopyRoad::TemporaryName,
                                                          TCopyRoad::ExclusiveCreate),
                                          testing::ValuesIn(kContentFaults)),
                         [](const auto& row) {
                           return RoadName(testing::TestParamInfo<TCopyRoad>(std::get<0>(row.param), row.index)) +
                                  std::get<1>(row.param).name;
                         });

// A date folder or temporary file removed while a copy is written: the naming answers ENOENT,
// which fails that copy and leaves the road as it was for the next.
std::string vanishingFolder;

TEST(TargetFolder, AMissingEntryAtTheNamingFailsThatCopyAndKeepsTheRoad) {
  TCopyCalls unnamed = SystemCopyCalls();
  unnamed.linkByHandle = [](int file, int folder, const char* name) {
    calls.push_back("linkByHandle");
    if (!vanishingFolder.empty()) ::rmdir(std::exchange(vanishingFolder, "").c_str());
    return SystemCopyCalls().linkByHandle(file, folder, name);
  };
  TCopyCalls temporary = SystemCopyCalls();
  temporary.renameNoReplace = [](int folder, const char* from, const char* to) {
    calls.push_back("renameNoReplace");
    if (!std::exchange(vanishingFolder, "").empty()) ::unlinkat(folder, from, 0);
    return SystemCopyCalls().renameNoReplace(folder, from, to);
  };
  for (auto [road, copyCalls] : {std::pair{TCopyRoad::UnnamedFile, unnamed}, {TCopyRoad::TemporaryName, temporary}}) {
    TTempFolder temp;
    const std::string source = temp.Write("a.jpg", std::string(100000, 'v'));
    vanishingFolder = temp.MakeFolder("t/2004");
    temp.MakeFolder("t/2005");
    TPosixFileSystem fileSystem(copyCalls, road);
    const auto target = Open(fileSystem, temp / "t");
    EXPECT_EQ(target->CopyInto(source, "2004", "a.jpg", nullptr), std::errc::no_such_file_or_directory);
    if (std::filesystem::exists(temp / "t/2004")) {
      EXPECT_TRUE(Listing(temp / "t/2004").empty());
    }
    calls.clear();
    EXPECT_FALSE(target->CopyInto(source, "2005", "a.jpg", nullptr));
    EXPECT_EQ(calls.size(), 1u) << "the next copy takes the same road: " << testing::PrintToString(calls);
    EXPECT_EQ(Listing(temp / "t/2005"), std::vector<std::string>{"a.jpg"});
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

// SIGTERM right after a call of the copy succeeded, in a process that copies under an
// interruption hold and writes the copy's record before the hold ends.
template <auto call, typename... TArguments>
auto RaisingAfter(TArguments... arguments) {
  const auto result = (SystemCopyCalls().*call)(arguments...);
  ::raise(SIGTERM);
  return result;
}

struct TSignalCase {
  std::string name;
  TCopyRoad road;
  TCopyCalls calls;
  bool copyStays;  // the copy was named: it stays, and so does its record
};

const std::vector<TSignalCase> kSignals = {
    {"UnnamedFileNamed", TCopyRoad::UnnamedFile,
     With([](TCopyCalls& c) { c.linkByHandle = RaisingAfter<&TCopyCalls::linkByHandle, int, int, const char*>; }),
     true},
    {"TemporaryNameCreated", TCopyRoad::TemporaryName,
     With([](TCopyCalls& c) { c.createNew = RaisingAfter<&TCopyCalls::createNew, int, const char*>; }), false},
    {"TemporaryNameRenamed", TCopyRoad::TemporaryName, With([](TCopyCalls& c) {
       c.renameNoReplace = RaisingAfter<&TCopyCalls::renameNoReplace, int, const char*, const char*>;
     }),
     true},
    {"ExclusiveCreated", TCopyRoad::ExclusiveCreate,
     With([](TCopyCalls& c) { c.createNew = RaisingAfter<&TCopyCalls::createNew, int, const char*>; }), false},
    // The bytes are written interruptibly.
    {"ExclusiveWriting", TCopyRoad::ExclusiveCreate,
     With([](TCopyCalls& c) { c.copyRange = RaisingAfter<&TCopyCalls::copyRange, int, int, size_t>; }), false},
};

class InterruptedCopyTest : public testing::TestWithParam<TSignalCase> {};

TEST_P(InterruptedCopyTest, LeavesNoNameBehindAndNoCopyUnrecorded) {
  TTempFolder temp;
  const std::string bytes(200000, 's');
  const std::string source = temp.Write("a.jpg", bytes);
  temp.MakeFolder("t");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstallInterruptCleanup();
    TPosixFileSystem fileSystem(GetParam().calls, GetParam().road);
    std::error_code error;
    const auto target = fileSystem.OpenTargetFolder(temp / "t", error);
    {
      const TInterruptHold hold;
      if (target && !target->CopyInto(source, "", "a.jpg", nullptr)) std::ofstream(temp / "record") << "copied";
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_EQ(std::filesystem::exists(temp / "record"), GetParam().copyStays);
  if (GetParam().copyStays) {
    EXPECT_EQ(Listing(temp / "t"), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(FileBytes(temp / "t/a.jpg"), bytes);
  } else {
    EXPECT_TRUE(Listing(temp / "t").empty()) << testing::PrintToString(Listing(temp / "t"));
  }
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedCopyTest, testing::ValuesIn(kSignals), TCaseName());

// Another thread of the process takes the signal while the copying thread names a copy: the
// handler passes it on, and it waits until that thread lets it through.
TEST(InterruptCleanup, ASignalAnotherThreadTakesWaitsForTheCopyingThread) {
  TTempFolder temp;
  const std::string partial = temp.Write("partial.jpg", "half");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstallInterruptCleanup();
    const int folder = ::open(temp.Path().c_str(), O_RDONLY | O_DIRECTORY);
    std::atomic<bool> named = false;
    std::thread other([&named] {
      while (!named) std::this_thread::yield();
      ::raise(SIGTERM);
    });
    TInterruptBlock naming;
    const TPendingFile pending(folder, "partial.jpg");
    named = true;
    other.join();
    if (std::filesystem::exists(partial)) std::ofstream(temp / "waited") << "named";
    naming.Unblock();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_TRUE(std::filesystem::exists(temp / "waited"));
  EXPECT_FALSE(std::filesystem::exists(partial));
}

// The engine's tests and undo's rest on the fake: where a date folder is missing, a file or a link,
// its target folder answers as the native one does.
// A clash choice compares what is at a name with the picture: only a regular file reached without a
// link, with every byte the same, holds the picture. A dry run answers for its planned copies too.
TEST(TargetFolder, HoldsSameBytesOnlyForARegularFileOfTheSameBytes) {
  TTempFolder temp;
  const std::string source = temp.Write("src/a.jpg", "the picture");
  temp.Write("src/twin.jpg", "the picture");
  temp.Write("src/other.jpg", "a different");
  temp.Write("t/same.jpg", "the picture");
  temp.Write("t/other.jpg", "the pictur!");
  temp.Write("t/longer.jpg", "the picture and more");
  temp.Write("t/day/same.jpg", "the picture");
  ASSERT_EQ(::symlink("same.jpg", (temp / "t/link.jpg").c_str()), 0);
  TPosixFileSystem native;
  TPlanningFileSystem planning(native);
  const auto real = Open(native, temp / "t");
  const auto plan = Open(planning, temp / "t");
  ASSERT_FALSE(plan->CopyInto(temp / "src/twin.jpg", "", "planned.jpg", nullptr));
  ASSERT_FALSE(plan->CopyInto(temp / "src/other.jpg", "", "planned-other.jpg", nullptr));

  const std::vector<std::tuple<std::string, std::string, std::string, bool>> cases = {
      {"", "same.jpg", source, true},        {"day", "same.jpg", source, true},
      {"", "other.jpg", source, false},      {"", "longer.jpg", source, false},
      {"", "day", source, false},            {"", "link.jpg", source, false},
      {"", "missing.jpg", source, false},    {"missing", "same.jpg", source, false},
      {"", "same.jpg", temp / "src/gone.jpg", false},
  };
  for (const auto& [folder, name, from, holds] : cases) {
    EXPECT_EQ(real->HoldsSameBytes(folder, name, from), holds) << folder << "/" << name;
    EXPECT_EQ(plan->HoldsSameBytes(folder, name, from), holds) << "planned over " << folder << "/" << name;
  }
  EXPECT_TRUE(plan->HoldsSameBytes("", "planned.jpg", source));
  EXPECT_FALSE(plan->HoldsSameBytes("", "planned-other.jpg", source));
}

TEST(MemoryFileSystem, TargetFolderAnswersAsTheNativeOneWhereNoDateFolderIs) {
  TTempFolder temp;
  temp.Write("t/file", "a file");
  std::filesystem::create_directory_symlink(temp.MakeFolder("elsewhere"), temp / "t/linked");
  TMemoryFileSystem fake;
  fake.AddFile("t/file", "a file");
  fake.AddFolderLink("t/linked", "elsewhere");
  std::error_code error;
  const auto native = NativeFileSystem().OpenTargetFolder(temp / "t", error);
  const auto faked = fake.OpenTargetFolder("t", error);
  ASSERT_TRUE(native && faked);
  for (const std::string folder : {"missing", "file", "linked"}) {
    EXPECT_EQ(faked->RemoveCopy(folder, "a.jpg", {}, "a.jpg", true),
              native->RemoveCopy(folder, "a.jpg", {}, temp / "a.jpg", true))
        << folder;
    EXPECT_EQ(faked->RemoveFolder(folder, {}, false, 0), native->RemoveFolder(folder, {}, false, 0)) << folder;
  }
}

// What a step on a target folder came to, in words that every file system shares.
std::string Outcome(const std::error_code& error, const std::string& done) { return error ? error.message() : done; }

std::string Outcome(const TRemoval& removal) {
  constexpr std::array kWords = {"removed", "gone", "changed", "not a regular file", "bytes differ", "folder replaced"};
  if (removal.verdict == TRemovalVerdict::Failed) return removal.error.message();
  return kWords[static_cast<std::size_t>(removal.verdict)];
}

struct TNestedStep {
  std::string what;
  std::function<std::string(TTargetFolder&, const std::string& source)> step;
  std::string outcome;
  std::string planned = {};  // where a dry run's plan answers otherwise: it never removes anything real
};

std::string Make(TTargetFolder& target, const std::string& name) {
  std::optional<TFileIdentity> made;
  const std::error_code error = target.MakeFolder(name, &made);
  return Outcome(error, made ? "made" : "there");
}

const std::string kNotAFolder = std::make_error_code(std::errc::not_a_directory).message();
const std::string kMissing = std::make_error_code(std::errc::no_such_file_or_directory).message();
const std::string kBadPath = std::make_error_code(std::errc::invalid_argument).message();
const std::string kNotEmpty = std::make_error_code(std::errc::directory_not_empty).message();
const std::string kNotPlanned = std::make_error_code(std::errc::operation_not_permitted).message();

// In order, on the tree of NestedTree: levels are made and reached one inside the other, and a link
// or file at any level is never followed or entered.
const std::vector<TNestedStep> kNestedSteps = {
    {"make a new inner level", [](auto& t, auto&) { return Make(t, "2024/06"); }, "made"},
    {"make an inner level that is there", [](auto& t, auto&) { return Make(t, "2024/05"); }, "there"},
    {"make below a link", [](auto& t, auto&) { return Make(t, "linked/05"); }, kNotAFolder},
    {"make a link's name", [](auto& t, auto&) { return Make(t, "2024/inner-link"); }, kNotAFolder},
    {"make below an inner link", [](auto& t, auto&) { return Make(t, "2024/inner-link/x"); }, kNotAFolder},
    {"make below a file", [](auto& t, auto&) { return Make(t, "file/05"); }, kNotAFolder},
    {"make below nothing", [](auto& t, auto&) { return Make(t, "missing/05"); }, kMissing},
    {"make with an empty level", [](auto& t, auto&) { return Make(t, "2024//07"); }, kBadPath},
    {"make above the target", [](auto& t, auto&) { return Make(t, "../2024"); }, kBadPath},
    {"make three levels deep", [](auto& t, auto&) { return Make(t, "2024/06/17"); }, "made"},
    {"copy into an inner level",
     [](auto& t, auto& source) { return Outcome(t.CopyInto(source, "2024/06/17", "b.jpg", nullptr), "copied"); },
     "copied"},
    {"copy to a name taken",
     [](auto& t, auto& source) { return Outcome(t.CopyInto(source, "2024/05", "a.jpg", nullptr), "copied"); },
     std::make_error_code(std::errc::file_exists).message()},
    {"copy below a link",
     [](auto& t, auto& source) { return Outcome(t.CopyInto(source, "linked/05", "b.jpg", nullptr), "copied"); },
     kNotAFolder},
    {"copy into an inner link",
     [](auto& t, auto& source) { return Outcome(t.CopyInto(source, "2024/inner-link", "b.jpg", nullptr), "copied"); },
     kNotAFolder},
    {"copy into nothing",
     [](auto& t, auto& source) { return Outcome(t.CopyInto(source, "2024/missing", "b.jpg", nullptr), "copied"); },
     kMissing},
    {"look up through levels",
     [](auto& t, auto&) { return std::to_string(static_cast<int>(t.LookUp("2024/06", "17"))); },
     std::to_string(static_cast<int>(TEntryLook::Folder))},
    {"look up through a link",
     [](auto& t, auto&) { return std::to_string(static_cast<int>(t.LookUp("linked/05", "a.jpg"))); },
     std::to_string(static_cast<int>(TEntryLook::Absent))},
    {"facts through a link", [](auto& t, auto&) { return t.Facts("linked/05", "a.jpg") ? "facts" : "none"; }, "none"},
    {"same bytes through levels",
     [](auto& t, auto& source) { return t.HoldsSameBytes("2024/06/17", "b.jpg", source) ? "same" : "not"; }, "same"},
    {"remove a level that holds one",
     [](auto& t, auto&) { return Outcome(t.RemoveFolder("2024/06", {}, true, 0)); }, "folder replaced", kNotEmpty},
    {"remove a folder below a link",
     [](auto& t, auto&) { return Outcome(t.RemoveFolder("linked/05", {}, false, 0)); }, "folder replaced",
     kNotPlanned},
    {"remove a copy below a link",
     [](auto& t, auto& source) { return Outcome(t.RemoveCopy("linked/05", "a.jpg", {}, source, false)); },
     "folder replaced", kNotPlanned},
    {"remove a folder below nothing",
     [](auto& t, auto&) { return Outcome(t.RemoveFolder("missing/05", {}, false, 0)); }, "gone", kNotPlanned},
};

// The same tree on disk below `temp` and in `fake`: t/2024/05/a.jpg, t/file, a link t/linked and a
// link t/2024/inner-link to the folder elsewhere, which holds 05/a.jpg.
void NestedTree(const TTempFolder& temp, TMemoryFileSystem& fake) {
  for (const std::string file : {"src.jpg", "t/2024/05/a.jpg", "t/file", "elsewhere/05/a.jpg"}) {
    temp.Write(file, "x");
    fake.AddFile(file, "x");
  }
  for (const std::string link : {"t/linked", "t/2024/inner-link"}) {
    std::filesystem::create_directory_symlink(temp / "elsewhere", temp / link);
    fake.AddFolderLink(link, "elsewhere");
  }
}

TEST(TargetFolder, ReachesNestedFoldersLevelByLevelNeverThroughALink) {
  TTempFolder real, planned;
  TMemoryFileSystem fake, unused;
  NestedTree(real, fake);
  NestedTree(planned, unused);
  TPosixFileSystem native;
  TPlanningFileSystem planning(native);
  std::vector<std::tuple<std::string, std::unique_ptr<TTargetFolder>, std::string>> folders;
  folders.emplace_back("native", Open(native, real / "t"), real / "src.jpg");
  folders.emplace_back("memory", Open(fake, "t"), "src.jpg");
  folders.emplace_back("plan", Open(planning, planned / "t"), planned / "src.jpg");
  for (const auto& [kind, target, source] : folders) {
    for (const TNestedStep& step : kNestedSteps) {
      const bool plan = kind == "plan" && !step.planned.empty();
      EXPECT_EQ(step.step(*target, source), plan ? step.planned : step.outcome) << kind << ": " << step.what;
    }
  }
  EXPECT_EQ(Listing(real / "elsewhere"), std::vector<std::string>{"05"});
  EXPECT_EQ(Listing(real / "elsewhere/05"), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(Listing(real / "t/2024/06/17"), std::vector<std::string>{"b.jpg"});
  EXPECT_EQ(Listing(planned / "t/2024"), (std::vector<std::string>{"05", "inner-link"})) << "a plan writes nothing";
  EXPECT_TRUE(fake.FileContent("t/2024/06/17/b.jpg"));
  EXPECT_EQ(fake.ListFolder("elsewhere/05").size(), 1u);
}

}  // namespace
}  // namespace kalvero

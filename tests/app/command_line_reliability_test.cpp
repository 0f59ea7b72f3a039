// `kalvero sort` where things go wrong: interruptions, races, links and unreadable folders in
// real trees, an unprivileged user, and output that goes nowhere.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

class ReliabilityTest : public CommandLineTest {
 protected:
  // A picture of `size` bytes taken on day `day` of August 2004; answers its name in a flat run.
  std::string AddPicture(const std::string& relative, int day, std::size_t size = 1000) {
    const std::string date = "2004:08:" + TwoDigits(day) + " 10:00:00";
    std::string bytes = PictureTakenAt(date) + relative;
    bytes.resize(std::max(size, bytes.size()), 'p');
    work.Write("src/" + relative, bytes);
    return TwoDigits(day) + ".08.2004 - 10.00.00.jpg";
  }

  static std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // The names in a folder, hidden ones included.
  std::vector<std::string> Listing(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work / relative)) names.push_back(entry.path().filename());
    std::ranges::sort(names);
    return names;
  }

};

// True while one of the process's first descriptors is a file in `folder`: a copy is being written.
bool WritesInto(pid_t pid, const std::string& folder) {
  std::error_code ignored;
  for (int fd = 3; fd < 16; ++fd) {
    const std::string link = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
    if (fs::read_symlink(link, ignored).string().starts_with(folder + "/")) return true;
  }
  return false;
}

// Lets at least `finished` copies complete, then stops the process while it writes the next one.
// False when it ended before.
bool StopWhileWriting(const TStartedProgram& run, const std::string& folder, std::size_t finished) {
  const pid_t pid = run.Pid();
  const auto complete = [&folder] {
    std::error_code ignored;
    return static_cast<std::size_t>(std::ranges::count_if(fs::directory_iterator(folder, ignored), [](const auto& entry) {
      return !entry.path().filename().string().starts_with(".");
    }));
  };
  while (run.Running()) {
    if (!WritesInto(pid, folder) || complete() < finished) continue;
    ::kill(pid, SIGSTOP);
    // The copy may have ended between the look and the stop.
    if (WritesInto(pid, folder)) return true;
    ::kill(pid, SIGCONT);
  }
  return false;
}

struct TInterruptCase {
  std::string name;
  std::string road;
  int signal;
};

class InterruptedRunTest : public ReliabilityTest, public testing::WithParamInterface<TInterruptCase> {};

// An interrupted run leaves under a picture's name only complete copies, and the next run copies
// the rest without reading the pictures whose names exist.
TEST_P(InterruptedRunTest, LeavesOnlyCompleteCopiesAndTheNextRunCopiesTheRest) {
  constexpr int kPictures = 10;
  constexpr std::size_t kSize = 8 << 20;
  std::map<std::string, std::string> sourceOf;
  for (int day = 1; day <= kPictures; ++day)
    sourceOf[AddPicture("p" + TwoDigits(day) + ".jpg", day, kSize)] = work / ("src/p" + TwoDigits(day) + ".jpg");
  work.MakeFolder("t");
  auto environment = Environment();
  environment["KALVERO_COPY_ROAD"] = GetParam().road;
  const std::vector<std::string> arguments = {KALVERO_PROGRAM, "sort", "src", "t", "--no-date-folders"};

  // A fixed seed chooses how many copies may finish before the interruption.
  std::mt19937 random(20261209 + GetParam().signal);
  const std::size_t finishedBefore = std::uniform_int_distribution<std::size_t>(0, 4)(random);
  TStartedProgram run(arguments, work.Path(), environment);
  ASSERT_TRUE(StopWhileWriting(run, work / "t", finishedBefore)) << "the run ended before it was interrupted";
  ::kill(run.Pid(), GetParam().signal);
  ::kill(run.Pid(), SIGCONT);
  const auto interrupted = run.Wait();
  EXPECT_EQ(interrupted.signal, GetParam().signal) << "the exit status tells the signal";

  std::size_t complete = 0;
  for (const std::string& name : Listing("t")) {
    if (name.starts_with(".")) {
      // Only a killed process can leave its temporary file, which no scan takes for a picture.
      EXPECT_EQ(GetParam().signal, SIGKILL) << name;
      EXPECT_FALSE(name.ends_with(".jpg") || name.ends_with(".jpeg")) << name;
      continue;
    }
    ASSERT_TRUE(sourceOf.contains(name)) << name;
    EXPECT_EQ(FileBytes(work / ("t/" + name)), FileBytes(sourceOf[name])) << name;
    ++complete;
  }
  EXPECT_LT(complete, static_cast<std::size_t>(kPictures)) << "the run was interrupted while copying";

  const auto rest = RunProgram(arguments, work.Path(), environment);
  EXPECT_EQ(rest.exitStatus, complete == 0 ? 0 : 1) << rest.err;
  EXPECT_LT(rest.bytesRead, (kPictures - complete + 1) * kSize) << "pictures whose names exist were read";
  for (const auto& [name, source] : sourceOf) EXPECT_EQ(FileBytes(work / ("t/" + name)), FileBytes(source)) << name;
}

const std::vector<TInterruptCase> kInterrupts = {
    {"UnnamedFileSigint", "unnamed", SIGINT},
    {"UnnamedFileSigkill", "unnamed", SIGKILL},
    {"TemporaryNameSigint", "temporary", SIGINT},
    {"TemporaryNameSigterm", "temporary", SIGTERM},
    {"TemporaryNameSigkill", "temporary", SIGKILL},
};

INSTANTIATE_TEST_SUITE_P(Interruptions, InterruptedRunTest, testing::ValuesIn(kInterrupts), TCaseName());

// A copy beyond the file-size limit fails with its reason; the run copies the rest.
TEST_F(ReliabilityTest, AFileSizeLimitFailsOnlyTheCopiesBeyondIt) {
  const std::string first = AddPicture("a.jpg", 1);
  AddPicture("big.jpg", 2, 256 << 10);
  const std::string third = AddPicture("c.jpg", 3);
  const auto result =
      RunProgram({"/usr/bin/prlimit", "--fsize=65536", KALVERO_PROGRAM, "sort", "src", "t", "--no-date-folders",
                  "--verbose", "--report", "journal"},
                 work.Path(), Environment());
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitStatus, 1) << result.err;
  EXPECT_NE(result.err.find("src/big.jpg: File too large"), std::string::npos) << result.err;
  EXPECT_NE(FileBytes(work / "journal").find("File too large"), std::string::npos);
  EXPECT_EQ(Listing("t"), (std::vector<std::string>{first, third}));
}

TEST_F(ReliabilityTest, AnUnprivilegedUserCopiesOnEveryRoad) {
  for (int day = 1; day <= 3; ++day) AddPicture("p" + TwoDigits(day) + ".jpg", day);
  OpenToEveryone();
  for (const char* road : {"unnamed", "temporary", "exclusive"}) {
    const auto result = KalveroAs({"--reuid=65534", "--regid=65534", "--clear-groups", "--inh-caps=-all"},
                                  {"sort", "src", std::string("t-") + road, "--no-date-folders"}, road);
    EXPECT_EQ(result.exitStatus, 0) << road << ": " << result.err;
    EXPECT_EQ(Listing(std::string("t-") + road).size(), 3u) << road;
  }
}

TEST_F(ReliabilityTest, ALinkAtADateFolderNameStopsTheRunAndNothingLeavesTheTarget) {
  AddPicture("a.jpg", 7);
  work.MakeFolder("elsewhere");
  work.MakeFolder("t");
  fs::create_directory_symlink(work / "elsewhere", work / "t/2004.08.07");
  const auto result = Kalvero({"sort", "src", "t"});
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_EQ(result.err, "Kalvero 1.3: Cannot create the folder \"t/2004.08.07\": not a folder.\n");
  EXPECT_TRUE(Listing("elsewhere").empty());
}

// Both runs make the same date folders at the same moments; a folder made by the other is no error.
TEST_F(ReliabilityTest, TwoRunsRacingIntoOneTargetCopyEveryPictureOnce) {
  for (int day = 1; day <= 28; ++day) AddPicture("p" + TwoDigits(day) + ".jpg", day);
  for (int round = 0; round < 6; ++round) {
    const std::string target = "t" + std::to_string(round);
    const std::vector<std::string> arguments = {KALVERO_PROGRAM, "sort", "src", target, "--folder-pattern", "DD"};
    TStartedProgram first(arguments, work.Path(), Environment());
    TStartedProgram second(arguments, work.Path(), Environment());
    const auto one = first.Wait();
    const auto two = second.Wait();
    EXPECT_NE(one.exitStatus, 3) << one.err;
    EXPECT_NE(two.exitStatus, 3) << two.err;
    for (int day = 1; day <= 28; ++day) {
      const std::string copy = target + "/" + TwoDigits(day) + "/" + TwoDigits(day) + ".08.2004 - 10.00.00.jpg";
      EXPECT_EQ(FileBytes(work / copy), FileBytes(work / ("src/p" + TwoDigits(day) + ".jpg"))) << copy;
    }
  }
}

// The run's standard output is a pipe whose reader has gone.
TEST_F(ReliabilityTest, AClosedOutputNeverStopsARun) {
  for (int day = 1; day <= 5; ++day) AddPicture("p" + TwoDigits(day) + ".jpg", day);
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"sort", "src", "t"}, {"date", "src/p01.jpg", "src/p02.jpg"}, {"exif", "src/p01.jpg"}}) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::dup2(ends[1], 1);
      if (::chdir(work.Path().c_str()) != 0) ::_exit(126);
      std::vector<char*> argv = {const_cast<char*>(KALVERO_PROGRAM)};
      for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(ends[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << command[0] << " ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << command[0];
  }
  EXPECT_EQ(Listing("t").size(), 5u);
}

TEST_F(ReliabilityTest, ATargetInsideTheSourceIsNeverCopiedAgain) {
  for (int day = 1; day <= 3; ++day) AddPicture("p" + TwoDigits(day) + ".jpg", day);
  for (int run = 0; run < 3; ++run) {
    const auto result = Kalvero({"sort", "src", "src/sorted", "--no-date-folders"});
    EXPECT_NE(result.out.find("3 JPEG-Files found"), std::string::npos) << result.out;
  }
  EXPECT_EQ(Listing("src/sorted").size(), 3u);

  // A target equal to the source is the source: its own copies are found by the next scan.
  fs::remove_all(work / "src/sorted");
  EXPECT_EQ(Kalvero({"sort", "src", "src", "--no-date-folders"}).exitStatus, 0);
  const auto again = Kalvero({"sort", "src", "src", "--no-date-folders"});
  EXPECT_NE(again.out.find("6 JPEG-Files found"), std::string::npos) << again.out;
  EXPECT_EQ(again.exitStatus, 1);
}

// The tests run as root, who reads every folder; without the capabilities that allow it, the
// owner's bits count.
TEST_F(ReliabilityTest, AFolderThatCannotBeReadIsNamedAndTheRunEndsWithOne) {
  AddPicture("a.jpg", 1);
  AddPicture("locked/b.jpg", 2);
  fs::create_symlink(work / "src/nowhere.jpg", work / "src/broken.jpg");
  fs::permissions(work / "src/locked", fs::perms::none);
  const auto result = KalveroAs({"--inh-caps=-all", "--bounding-set=-dac_override,-dac_read_search"},
                                {"sort", "src", "t", "--no-date-folders"});
  fs::permissions(work / "src/locked", fs::perms::owner_all);
  EXPECT_EQ(result.exitStatus, 1) << result.err;
  EXPECT_EQ(result.err, "src/broken.jpg: broken link\nsrc/locked: access refused\n");
  EXPECT_EQ(Listing("t"), std::vector<std::string>{"01.08.2004 - 10.00.00.jpg"});
}

TEST_F(ReliabilityTest, AFolderPatternIsCheckedOnlyWhenDateFoldersAreMade) {
  AddPicture("a.jpg", 1);
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nfolder=YYYY:MM\r\n");
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--no-date-folders"}).exitStatus, 0);
  EXPECT_EQ(Kalvero({"sort", "src", "t2"}).exitStatus, 2);
}

// Without /proc the program cannot find its own folder: it must not start a program of the
// current folder instead.
TEST_F(ReliabilityTest, WithoutItsOwnFolderNoWindowProgramIsStarted) {
  work.Write("kalvero-window", "#!/bin/sh\necho started from the current folder\n");
  fs::permissions(work / "kalvero-window", fs::perms::owner_all);
  const auto result = RunProgram({"/usr/bin/unshare", "--mount", "--fork", "/bin/sh", "-c",
                                   "umount -l /proc && exec \"$0\"", KALVERO_PROGRAM},
                                  work.Path(), Environment());
  if (result.err.find("unshare") != std::string::npos) GTEST_SKIP() << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.find("started from the current folder"), std::string::npos);
  EXPECT_NE(result.err.find("cannot find the folder of this program"), std::string::npos) << result.err;
  // 2, or in a sanitizer build 1: the leak checker cannot read its options or threads without /proc.
  EXPECT_NE(result.exitStatus, 0);
}

}  // namespace
}  // namespace kalvero

// Dry runs, journals and taking a run back, through the kalvero binary on real trees.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/cli/journal.h"
#include "engine/name_patterns.h"
#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/file_size_limit.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

// Every entry below `folder` with its bytes (files) or kind, so two looks can be compared.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  if (!fs::exists(folder)) return entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string path = entry.path().string().substr(folder.size());
    entries[path] = entry.is_symlink() ? "link" : entry.is_directory() ? "folder" : FileBytes(entry.path());
  }
  return entries;
}

class JournalTest : public CommandLineTest {
 protected:
  JournalTest() {
    work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
    work.Write("src/b.jpg", PictureTakenAt("2004:08:07 16:45:33") + "same second");
    work.Write("src/c.jpg", "no exif");
    work.Write("src/d.jpg", PictureTakenAt("2005:01:02 03:04:05"));
    work.Write("t/2005.01.02/02.01.2005 - 03.04.05.jpg", "was there before");
    appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nlng=German\r\n");
  }

  TJournal Journal(const std::string& name) const {
    std::ifstream text(work / name, std::ios::binary);
    std::string error;
    auto journal = ReadJournal(text, error);
    EXPECT_TRUE(journal.has_value()) << error;
    return journal ? std::move(*journal) : TJournal{};
  }

  // What each picture came to: the kind, source, target, outcome and reason of each picture line.
  std::vector<std::string> Outcomes(const std::string& name) const {
    std::vector<std::string> lines;
    std::istringstream text(FileBytes(work / name));
    for (std::string line; std::getline(text, line);) {
      if (!line.starts_with("picture\t")) continue;
      std::size_t end = 0;
      for (int field = 0; field < 5; ++field) end = line.find('\t', end) + 1;
      lines.push_back(line.substr(0, end));
    }
    return lines;
  }
};

std::vector<TJournalCopy> Copies(const TJournal& journal) {
  std::vector<TJournalCopy> copies;
  journal.copies.ForEach([&copies](const TJournalCopy& copy) { copies.push_back(copy); });
  return copies;
}

TEST_F(JournalTest, ADryRunPredictsTheRunExactlyAndWritesNothing) {
  const auto target = Snapshot(work / "t");
  const auto settings = Snapshot(appData.Path());
  const auto plan = Kalvero({"sort", "src", "t", "--dry-run", "--report", "plan.tsv"});
  EXPECT_EQ(Snapshot(work / "t"), target);
  EXPECT_EQ(Snapshot(appData.Path()), settings);
  EXPECT_EQ(plan.out,
            "src/a.jpg\tt/2004.08.07/07.08.2004 - 16.45.33.jpg\n"
            "src/b.jpg\tthe name exists\n"
            "src/c.jpg\tno usable date\n"
            "src/d.jpg\tthe name exists\n"
            "copied 1, not copied 2, without a usable date 1, not examined 0, other files 0\n");

  const auto run = Kalvero({"sort", "src", "t", "--report", "run.tsv"});
  EXPECT_EQ(run.exitStatus, plan.exitStatus);
  EXPECT_EQ(Outcomes("run.tsv"), Outcomes("plan.tsv"));
  EXPECT_TRUE(Journal("plan.tsv").header.plan);
  ASSERT_EQ(Journal("run.tsv").folders.size(), 1u);
  EXPECT_EQ(Journal("run.tsv").folders[0].path, "2004.08.07");
}

TEST_F(JournalTest, ADryRunIntoANewTargetPrintsThePlanAlone) {
  const auto plan = Kalvero({"sort", "src", "new/t", "--dry-run"});
  EXPECT_EQ(plan.exitStatus, 1);
  EXPECT_EQ(plan.out,
            "src/a.jpg\tnew/t/2004.08.07/07.08.2004 - 16.45.33.jpg\n"
            "src/b.jpg\tthe name exists\n"
            "src/c.jpg\tno usable date\n"
            "src/d.jpg\tnew/t/2005.01.02/02.01.2005 - 03.04.05.jpg\n"
            "copied 2, not copied 1, without a usable date 1, not examined 0, other files 0\n");
  EXPECT_EQ(plan.err, "");
  EXPECT_FALSE(fs::exists(work / "new"));
}

struct TRefusalCase {
  std::string name;
  std::vector<std::string> arguments;
  std::string message;  // how the error box begins
};

const std::vector<TRefusalCase> kRefusals = {
    {"NoPictures", {"sort", "empty", "t"}, "No JPEG-Files were found in the source folder."},
    {"NeitherNumberNorTime", {"sort", "src", "t", "--pattern", "YYYY.MM.DD"}, "The parameters FFF"},
    {"NumbersIntoDateFolders", {"sort", "src", "t", "--pattern", "FFF"}, "A sequential numbering (FFF)"},
};

class DryRunRefusalTest : public JournalTest, public testing::WithParamInterface<TRefusalCase> {};

TEST_P(DryRunRefusalTest, ShowsTheRefusalAsTheRunDoes) {
  work.MakeFolder("empty");
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.insert(arguments.end(), {"--language", "English"});
  const auto run = Kalvero(arguments);
  arguments.push_back("--dry-run");
  const auto plan = Kalvero(arguments);
  EXPECT_EQ(plan.exitStatus, 2);
  EXPECT_EQ(plan.err.find("error: " + GetParam().message), 0u) << plan.err;
  EXPECT_EQ(plan.err, run.err);
  EXPECT_EQ(plan.exitStatus, run.exitStatus);
  EXPECT_EQ(plan.out, "") << "no plan, and no status texts";
}

INSTANTIATE_TEST_SUITE_P(Refusals, DryRunRefusalTest, testing::ValuesIn(kRefusals), TCaseName());

TEST_F(JournalTest, ADryRunPredictsARunThatWouldStop) {
  work.Write("t/2004.08.07", "a file where the date folder goes");
  const auto plan = Kalvero({"sort", "src", "t", "--dry-run"});
  EXPECT_EQ(plan.exitStatus, 3);
  EXPECT_NE(plan.err.find("\"t/2004.08.07\""), std::string::npos) << plan.err;
  EXPECT_EQ(Kalvero({"sort", "src", "t"}).exitStatus, 3);
}

// Who runs kalvero, and where: root, a user who may not write into "ro", root with a read-only
// file system mounted on "medium".
enum class TRunAs { Root, Nobody, OnReadOnlyMount };

struct TMediumCase {
  std::string name;
  TRunAs as;
  std::string target;
  std::vector<std::string> options;
  std::string met;  // a reason word of the pictures, or part of the stop's message
};

const std::string kTooLong = "t" + [] {
  std::string path;
  for (int i = 0; i < 17; ++i) path += "/" + std::string(250, 'x');
  return path;
}();

const std::vector<TMediumCase> kMediums = {
    {"ReadOnlyTarget", TRunAs::Nobody, "ro/t", {"--no-date-folders"}, "permission-refused"},
    {"ReadOnlyTargetIntoDateFolders", TRunAs::Nobody, "ro/t", {}, ": access refused."},
    {"NewTargetInAReadOnlyFolder", TRunAs::Nobody, "ro/new", {"--no-date-folders"}, "other"},
    {"ReadOnlyMedium", TRunAs::OnReadOnlyMount, "medium", {}, ": read-only medium."},
    {"TargetPathTooLong", TRunAs::Root, kTooLong, {"--no-date-folders"}, "name-too-long"},
};

class DryRunMediumTest : public JournalTest, public testing::WithParamInterface<TMediumCase> {
 protected:
  TProgramResult Sort(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"sort", "src", GetParam().target, "--language", "English"});
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    switch (GetParam().as) {
      case TRunAs::Root: return Kalvero(arguments);
      case TRunAs::Nobody:
        return KalveroAs({"--reuid=65534", "--regid=65534", "--clear-groups", "--inh-caps=-all"}, arguments);
      case TRunAs::OnReadOnlyMount: break;
    }
    arguments.insert(arguments.begin(), {"/usr/bin/unshare", "--mount", "--fork", "/bin/sh", "-c",
                                         "mount -t tmpfs -o ro none \"$0\" && exec \"$@\"", work / "medium",
                                         KALVERO_PROGRAM});
    return RunProgram(arguments, work.Path(), Environment());
  }
};

// The error that stopped a run, the last thing it printed on standard error; empty when none did.
std::string Stop(const std::string& err) {
  const std::size_t at = err.find("Kalvero 1.3:");
  return at == std::string::npos ? "" : err.substr(at);
}

TEST_P(DryRunMediumTest, PredictsWhatTheMediumRefuses) {
  if (GetParam().as == TRunAs::Nobody && !fs::exists(kSetpriv)) GTEST_SKIP() << kSetpriv << " is missing";
  work.MakeFolder("ro/t");
  work.MakeFolder("medium");
  if (GetParam().as == TRunAs::OnReadOnlyMount) {
    const auto mount = RunProgram({"/usr/bin/unshare", "--mount", "--fork", "/bin/mount", "-t", "tmpfs", "none",
                                   work / "medium"});
    if (mount.exitStatus != 0) GTEST_SKIP() << "no file system can be mounted here: " << mount.err;
  }
  OpenToEveryone();
  for (const char* folder : {"ro", "ro/t"}) fs::permissions(work / folder, static_cast<fs::perms>(0555));
  const auto plan = Sort({"--dry-run", "--report", "plan.tsv"});
  const auto run = Sort({"--report", "run.tsv"});
  EXPECT_EQ(plan.exitStatus, run.exitStatus) << plan.err << run.err;
  EXPECT_EQ(Outcomes("plan.tsv"), Outcomes("run.tsv"));
  EXPECT_EQ(Stop(plan.err), Stop(run.err));
  const std::string planned = plan.out + plan.err + testing::PrintToString(Outcomes("plan.tsv"));
  EXPECT_NE(planned.find(GetParam().met), std::string::npos) << planned;
}

INSTANTIATE_TEST_SUITE_P(Mediums, DryRunMediumTest, testing::ValuesIn(kMediums), TCaseName());

TEST_F(JournalTest, AStoppedRunReportsWhatItMetThenTheStop) {
  work.Write("s/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
  work.Write("s/b.jpg", "no exif");
  fs::create_symlink(work / "s/nowhere.jpg", work / "s/broken.jpg");
  work.Write("s/c.jpg", PictureTakenAt("2004:08:09 10:00:00"));
  work.Write("u/2004.08.09", "a file where the date folder goes");
  // Both streams into one, so that their order shows.
  const auto result = RunProgram({"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", KALVERO_PROGRAM, "sort", "s", "u",
                                  "--language", "English"},
                                 work.Path(), Environment());
  EXPECT_EQ(result.exitStatus, 3);
  const std::vector<std::string> order = {"s/b.jpg", "s/broken.jpg: broken link",
                                          "copied 0, not copied 0, without a usable date 1, not examined 1, other files 0\n",
                                          "Kalvero 1.3: Cannot create the folder \"u/2004.08.09\": not a folder.\n"};
  std::size_t last = 0;
  for (const std::string& part : order) {
    const std::size_t at = result.out.find(part, last);
    EXPECT_NE(at, std::string::npos) << part << " in order in:\n" << result.out;
    last = at == std::string::npos ? last : at;
  }
  EXPECT_TRUE(result.out.ends_with(order.back())) << result.out;
}

TEST_F(JournalTest, AJournalThatCannotBeWrittenStopsTheRunAndUndoTakesBackAllItNames) {
  for (int i = 0; i < 120; ++i)
    work.Write("many/p" + std::to_string(100 + i) + ".jpg",
               PictureTakenAt("2004:08:07 10:" + std::to_string(10 + i / 50) + ":" + std::to_string(10 + i % 50)));
  TProgramResult run;
  {
    // The journal meets the limit after some lines; no picture, no output comes near it.
    const TFileSizeLimit limit(6000);
    run = Kalvero({"sort", "many", "u", "--no-date-folders", "--report", "run.tsv"});
  }
  EXPECT_EQ(run.exitStatus, 3);
  EXPECT_NE(run.err.find("kalvero: the journal could not be written: File too large"), std::string::npos) << run.err;
  const std::string text = FileBytes(work / "run.tsv");
  EXPECT_TRUE(text.ends_with("\n")) << "back to its last complete line";
  const std::vector<TJournalCopy> copies = Copies(Journal("run.tsv"));
  const auto copied = static_cast<std::ptrdiff_t>(copies.size());
  EXPECT_GT(copied, 0);
  EXPECT_LT(copied, 120);
  EXPECT_EQ(std::distance(fs::directory_iterator(work / "u"), fs::directory_iterator()), copied)
      << "no copy the journal does not name";
  EXPECT_NE(run.out.find("copied " + std::to_string(copied) + ","), std::string::npos) << run.out;

  // A run killed while it wrote its last line.
  work.Write("run.tsv", text + "picture\t" + copies.front().source);
  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_NE(undone.err.find("has no line end"), std::string::npos) << undone.err;
  EXPECT_FALSE(fs::exists(work / "u")) << "every copy and the target it made are taken back";
}

TEST_F(JournalTest, TheJournalRecordsTheRunAndNeverReplacesAFile) {
  work.Write("taken.tsv", "mine");
  const auto refused = Kalvero({"sort", "src", "t", "--report", "taken.tsv"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_EQ(FileBytes(work / "taken.tsv"), "mine");

  // The time is local, with its offset from UTC: here half an hour off and behind it.
  auto environment = Environment();
  environment["TZ"] = "NST3:30";
  EXPECT_EQ(RunProgram({KALVERO_PROGRAM, "sort", "src", "t", "--report", "run.tsv"}, work.Path(), environment).exitStatus,
            1);
  const TJournal journal = Journal("run.tsv");
  EXPECT_TRUE(std::regex_match(journal.header.time, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d-0330)")))
      << journal.header.time;
  EXPECT_EQ(journal.header.target, fs::canonical(work / "t").string());
  EXPECT_EQ(journal.header.source, fs::canonical(work / "src").string());
  EXPECT_EQ(journal.header.filePattern, "DD.MM.YYYY - HH.NN.SS");
  EXPECT_EQ(Outcomes("run.tsv").size(), 4u);
  const auto copies = Copies(journal);
  ASSERT_EQ(copies.size(), 1u);
  struct stat copy {};
  ASSERT_EQ(::stat((work / ("t/" + copies[0].folder + "/" + copies[0].name)).c_str(), &copy), 0);
  EXPECT_EQ(copies[0].facts.size, static_cast<std::uint64_t>(copy.st_size));
  EXPECT_EQ(copies[0].facts.lastWriteNanoseconds, LastWrite(work / "t/2004.08.07/07.08.2004 - 16.45.33.jpg"));
  EXPECT_EQ(copies[0].facts.identity, (TFileIdentity{copy.st_dev, copy.st_ino}));
  EXPECT_EQ(copies[0].facts.changeNanoseconds, std::int64_t{copy.st_ctim.tv_sec} * 1'000'000'000 + copy.st_ctim.tv_nsec);
}

// Files of the source that are no JPEG pictures: counted, named by a dry run and --verbose,
// journaled as other; the exit status stays that of the pictures, and undo passes them over.
TEST_F(JournalTest, OtherFilesAreCountedNamedAndJournaledWithoutChangingTheExitStatus) {
  work.Write("p/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  work.Write("p/s/b.jpeg", PictureTakenAt("2004:08:07 16:45:34"));
  for (const char* file : {"p/IMG_1.CR2", "p/.hidden.mov", "p/s/clip.MOV"}) work.Write(file);
  const auto plan = Kalvero({"sort", "p", "u", "--dry-run", "--no-date-folders", "--pattern", "FFF"});
  EXPECT_EQ(plan.exitStatus, 0) << plan.err;
  EXPECT_EQ(plan.out,
            "p/a.jpg\tu/0.jpg\np/s/b.jpeg\tu/1.jpg\n"
            "p/IMG_1.CR2\tnot a JPEG picture\np/s/clip.MOV\tnot a JPEG picture\n"
            "copied 2, not copied 0, without a usable date 0, not examined 0, other files 2\n");

  const auto run = Kalvero({"sort", "p", "u", "--verbose", "--report", "run.tsv"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(run.out.ends_with("copied 2, not copied 0, without a usable date 0, not examined 0, other files 2\n"))
      << run.out;
  EXPECT_EQ(run.err, "p/IMG_1.CR2: not a JPEG picture\np/s/clip.MOV: not a JPEG picture\n");
  const std::string source = fs::canonical(work / "p").string();
  const auto outcomes = Outcomes("run.tsv");
  ASSERT_EQ(outcomes.size(), 4u);
  EXPECT_EQ(outcomes[2], "picture\t" + source + "/IMG_1.CR2\t\tother\tnot-a-jpeg\t");
  EXPECT_EQ(outcomes[3], "picture\t" + source + "/s/clip.MOV\t\tother\tnot-a-jpeg\t");

  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_EQ(Copies(Journal("run.tsv")).size(), 2u);
  EXPECT_FALSE(fs::exists(work / "u/2004.08.07")) << undone.out;
  EXPECT_TRUE(fs::exists(work / "p/IMG_1.CR2"));
}

TEST_F(JournalTest, AKilledRunLeavesAJournalOfWhatItDid) {
  for (int i = 0; i < 30; ++i) {
    std::string bytes = PictureTakenAt("2004:08:0" + std::to_string(1 + i % 9) + " 10:00:" + std::to_string(10 + i));
    bytes.resize(4 << 20, 'p');
    work.Write("big/p" + std::to_string(i) + ".jpg", bytes);
  }
  TStartedProgram run({KALVERO_PROGRAM, "sort", "big", "u", "--report", "killed.tsv"}, work.Path(), Environment());
  const auto copies = [this] {
    const auto entries = Snapshot(work / "u");
    return std::ranges::count_if(entries, [](const auto& entry) { return entry.second != "folder"; });
  };
  while (copies() < 4 && run.Running()) {
  }
  ::kill(run.Pid(), SIGKILL);
  run.Wait();
  const TJournal journal = Journal("killed.tsv");
  EXPECT_EQ(journal.folders.size(), 9u) << "the folders pass 1 made";
  EXPECT_GE(journal.copies.Size(), 3u);
  for (const TJournalCopy& copy : Copies(journal))
    EXPECT_EQ(FileBytes(work / ("u/" + copy.folder + "/" + copy.name)), FileBytes(copy.source)) << "each line after its copy";
}

TEST_F(JournalTest, UndoTakesTheRunBackAndKeepsWhatChanged) {
  const auto before = Snapshot(work / "t");
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--report", "run.tsv"}).exitStatus, 1);
  const auto preview = Kalvero({"undo", "--dry-run", "run.tsv"});
  EXPECT_EQ(preview.exitStatus, 0) << preview.out << preview.err;
  EXPECT_NE(preview.out.find("would remove\t"), std::string::npos);
  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_EQ(Snapshot(work / "t"), before) << "the target is as it was before the run";

  // A run into a new target, one copy changed afterwards.
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "second.tsv"}).exitStatus, 1);
  const std::string changed = work / "new/t/2004.08.07/07.08.2004 - 16.45.33.jpg";
  work.Write("new/t/2004.08.07/07.08.2004 - 16.45.33.jpg", "edited by the user");
  const auto kept = Kalvero({"undo", "second.tsv"});
  EXPECT_EQ(kept.exitStatus, 1);
  EXPECT_NE(kept.out.find("kept\t" + changed + "\tit changed since the run"), std::string::npos) << kept.out;
  EXPECT_EQ(FileBytes(changed), "edited by the user");
  EXPECT_NE(kept.out.find("it is not empty"), std::string::npos) << "its folder stays";
}

// A date text the date check takes may still give names of any bytes ("2004:8:7 1:2:3" gives the
// month "8:"); the journal of such a run is undone like any other.
TEST_F(JournalTest, UndoTakesBackCopiesNamedFromOddDates) {
  for (const auto& [name, date] : {std::pair{"a.jpg", "2004:8:7 1:2:3"}, std::pair{"b.jpg", "08:07 10:00:00"}})
    work.Write(std::string("odd/") + name, PictureTakenAt(date));
  const auto run = Kalvero({"sort", "odd", "u", "--report", "run.tsv"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_FALSE(fs::exists(work / "u")) << undone.out;
}

TEST_F(JournalTest, UndoFromAnotherFolderTakesBackTheRunWhereItWas) {
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "run.tsv"}).exitStatus, 1);
  // One copy changed since the run, its size and time as they were.
  const std::string changed = work / "new/t/2004.08.07/07.08.2004 - 16.45.33.jpg";
  const std::int64_t time = LastWrite(changed);
  std::string bytes = FileBytes(changed);
  bytes.back() ^= 1;
  work.Write("new/t/2004.08.07/07.08.2004 - 16.45.33.jpg", bytes);
  const timespec times[2] = {{0, UTIME_OMIT}, {time / 1'000'000'000, time % 1'000'000'000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, changed.c_str(), times, 0), 0);
  // Beside the folder undo runs in: the target's chain and a source of the same relative names.
  TTempFolder elsewhere;
  elsewhere.MakeFolder("new/t/2005.01.02");
  elsewhere.Write("src/a.jpg", "another picture");
  const auto undone = RunProgram({KALVERO_PROGRAM, "undo", work / "run.tsv"}, elsewhere.Path(), Environment());
  EXPECT_EQ(undone.exitStatus, 1) << undone.out << undone.err;
  EXPECT_NE(undone.out.find("kept\t" + fs::canonical(changed).string() + "\tit changed since the run"),
            std::string::npos) << undone.out;
  EXPECT_EQ(FileBytes(changed), bytes);
  EXPECT_FALSE(fs::exists(work / "new/t/2005.01.02")) << "the run's other copy and its folder are gone";
  EXPECT_TRUE(fs::is_directory(elsewhere / "new/t/2005.01.02")) << "folders of the same names elsewhere stay";
  const TJournal journal = Journal("run.tsv");
  const std::string root = fs::canonical(work.Path()).string();
  EXPECT_EQ(journal.targetFolders.at(0).path, root + "/new");
  EXPECT_EQ(journal.targetFolders.at(1).path, root + "/new/t");
  EXPECT_EQ(Copies(journal).at(0).source, root + "/src/a.jpg");
}

TEST_F(JournalTest, AnOldJournalTakesBackNothingOfALaterRun) {
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "first.tsv"}).exitStatus, 1);
  EXPECT_EQ(Kalvero({"undo", "first.tsv"}).exitStatus, 0);
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "second.tsv"}).exitStatus, 1);
  const auto second = Snapshot(work / "new");
  const auto again = Kalvero({"undo", "first.tsv"});
  EXPECT_NE(again.exitStatus, 0) << again.out << again.err;
  EXPECT_EQ(Snapshot(work / "new"), second) << "every copy and folder of the second run stays";

  // One copy of the second run taken out and made anew by a third: only the other is the second's.
  fs::remove(work / "new/t/2004.08.07/07.08.2004 - 16.45.33.jpg");
  work.Write("one/a.jpg", FileBytes(work / "src/a.jpg"));
  EXPECT_EQ(Kalvero({"sort", "one", "new/t"}).exitStatus, 0);
  const auto undone = Kalvero({"undo", "second.tsv"});
  EXPECT_EQ(undone.exitStatus, 1) << undone.out << undone.err;
  EXPECT_NE(undone.out.find("16.45.33.jpg\tit changed since the run"), std::string::npos) << undone.out;
  EXPECT_TRUE(fs::exists(work / "new/t/2004.08.07/07.08.2004 - 16.45.33.jpg"));
  EXPECT_FALSE(fs::exists(work / "new/t/2005.01.02"));
}

TEST_F(JournalTest, UndoKeepsEverythingWhenNoCopyIsTheFileTheRunMade) {
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "run.tsv"}).exitStatus, 1);
  // Each copy replaced by an exact copy of itself, as a medium mounted again numbers its files anew.
  for (const TJournalCopy& copy : Copies(Journal("run.tsv"))) {
    const fs::path path = work / ("new/t/" + copy.folder + "/" + copy.name);
    fs::copy_file(path, work / "again.jpg");
    fs::last_write_time(work / "again.jpg", fs::last_write_time(path));
    fs::rename(work / "again.jpg", path);
  }
  const auto before = Snapshot(work / "new");
  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 3) << undone.out << undone.err;
  EXPECT_NE(undone.err.find("the medium was probably mounted again since the run"), std::string::npos) << undone.err;
  EXPECT_EQ(Snapshot(work / "new"), before);
}

struct TForgeryCase {
  std::string name;
  std::string line;  // added to the journal; "" for a journal of version 1
  std::string error;
};

const std::vector<TForgeryCase> kForgeries = {
    {"ParentFolder", "picture\t/src/a.jpg\t../x.jpg\tcopied\tnone\t1\t1\t1\t1\t1\t2004:08:07 16:45:33\t",
     "a name that the patterns cannot make"},
    {"FileOfTheUser", "picture\t/src/a.jpg\tdocs/thesis.txt\tcopied\tnone\t1\t1\t1\t1\t1\t2004:08:07 16:45:33\t",
     "a name that the patterns cannot make"},
    {"NameThePatternCannotMake", "picture\t/src/a.jpg\t2004.08.07/thesis.jpg\tcopied\tnone\t1\t1\t1\t1\t1\t2004:08:07 16:45:33\t",
     "a name that the patterns cannot make"},
    {"RelativeSource", "picture\tsrc/a.jpg\t\tundated\tno-usable-date\t0\t0\t0\t0\t0\t\t", "a source that is not absolute"},
    {"AbsoluteFolder", "folder\t/tmp\t1\t1", "a folder that the folder pattern cannot make"},
    {"FolderThePatternCannotMake", "folder\tdocs\t1\t1", "a folder that the folder pattern cannot make"},
    {"TargetFolderElsewhere", "target-folder\t/elsewhere\t1\t1", "a folder that is neither the target nor above it"},
    {"OlderVersion", "", "it was written by an older kalvero; it cannot be undone"},
};

class UndoForgeryTest : public JournalTest, public testing::WithParamInterface<TForgeryCase> {};

TEST_P(UndoForgeryTest, RefusesTheJournalWholeAndRemovesNothing) {
  work.Write("t/docs/thesis.txt", "years of work");
  work.MakeFolder("elsewhere");
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--report", "run.tsv"}).exitStatus, 1);
  std::string journal = FileBytes(work / "run.tsv");
  if (GetParam().line.empty())
    journal = "kalvero-journal\t1\tx\t" + Journal("run.tsv").header.target + "\t/src\tDD.MM.YYYY - HH.NN.SS\t"
              "YYYY.MM.DD\tdate-folders\tsubfolders\trun\n" + journal.substr(journal.find('\n') + 1);
  else
    journal += ReplaceToken(ReplaceToken(GetParam().line, "/src", fs::canonical(work / "src").string()), "/elsewhere",
                            fs::canonical(work / "elsewhere").string()) + "\n";
  work.Write("forged.tsv", journal);
  const auto before = Snapshot(work.Path());
  const auto forged = Kalvero({"undo", "forged.tsv"});
  EXPECT_EQ(forged.exitStatus, 2);
  EXPECT_NE(forged.err.find("is refused, nothing was removed: "), std::string::npos) << forged.err;
  EXPECT_NE(forged.err.find(GetParam().error), std::string::npos) << forged.err;
  EXPECT_EQ(Snapshot(work.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Forgeries, UndoForgeryTest, testing::ValuesIn(kForgeries), TCaseName());

TEST_F(JournalTest, UndoRefusesATargetReachedThroughALinkSinceTheRun) {
  EXPECT_EQ(Kalvero({"sort", "src", "p/t", "--report", "run.tsv"}).exitStatus, 1);
  // The target's parent moved away and a copy of it, reached by a link, put in its place.
  fs::rename(work / "p", work / "moved");
  fs::copy(work / "moved", work / "copied", fs::copy_options::recursive);
  fs::create_directory_symlink(work / "copied", work / "p");
  auto before = Snapshot(work.Path());
  const auto parent = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(parent.exitStatus, 3) << parent.out << parent.err;
  EXPECT_NE(parent.err.find("is not the folder the run copied into; nothing was removed"), std::string::npos)
      << parent.err;
  EXPECT_EQ(Snapshot(work.Path()), before);

  // The target itself a link to the folder the run made.
  fs::remove(work / "p");
  fs::create_directory(work / "p");
  fs::create_directory_symlink(work / "moved/t", work / "p/t");
  before = Snapshot(work.Path());
  const auto linked = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(linked.exitStatus, 3) << linked.out << linked.err;
  EXPECT_EQ(Snapshot(work.Path()), before);
}

TEST_F(JournalTest, ADryUndoSaysWhatTheUndoDoes) {
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "run.tsv"}).exitStatus, 1);
  work.Write("new/t/2005.01.02/note.txt", "the user's");
  const auto preview = Kalvero({"undo", "--dry-run", "run.tsv"});
  EXPECT_NE(preview.out.find("2005.01.02\tit is not empty"), std::string::npos) << preview.out;
  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 1);
  EXPECT_EQ(ReplaceToken(ReplaceToken(preview.out, "would remove", "removed"), "would keep", "kept"), undone.out);
  EXPECT_TRUE(fs::exists(work / "new/t/2005.01.02/note.txt"));
  EXPECT_FALSE(fs::exists(work / "new/t/2004.08.07"));
}

TEST_F(JournalTest, UndoRefusesAForgedJournalAndNeverFollowsALink) {
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--report", "run.tsv"}).exitStatus, 1);
  const auto after = Snapshot(work / "t");
  work.Write("forged.tsv", FileBytes(work / "run.tsv") + "picture\t/etc/passwd\t../../x\tdeleted\tnone\t0\t0\t0\t0\t0\t\t\n");
  const auto forged = Kalvero({"undo", "forged.tsv"});
  EXPECT_EQ(forged.exitStatus, 2);
  EXPECT_NE(forged.err.find("unknown outcome"), std::string::npos) << forged.err;
  EXPECT_EQ(Snapshot(work / "t"), after) << "nothing removed";

  // The date folder is moved away and a link to it put in its place.
  fs::rename(work / "t/2004.08.07", work / "elsewhere");
  fs::create_directory_symlink(work / "elsewhere", work / "t/2004.08.07");
  const auto linked = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(linked.exitStatus, 1);
  EXPECT_NE(linked.out.find("its folder is no folder"), std::string::npos) << linked.out;
  EXPECT_TRUE(fs::exists(work / "elsewhere/07.08.2004 - 16.45.33.jpg"));
}

}  // namespace
}  // namespace kalvero

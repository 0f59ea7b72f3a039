// Dry runs, journals and taking a run back, through the kalvero binary on real trees.

#include <signal.h>

#include <algorithm>
#include <filesystem>

#include "app/cli/journal.h"
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
    std::string error;
    const auto journal = ReadJournal(FileBytes(work / name), error);
    EXPECT_TRUE(journal.has_value()) << error;
    return journal.value_or(TJournal{});
  }
};

// What each picture came to, from a journal's lines.
std::vector<std::string> Outcomes(const TJournal& journal) {
  std::vector<std::string> lines;
  for (const TJournalPicture& picture : journal.pictures)
    lines.push_back(picture.source + " " + picture.target + " " + picture.outcome + " " + picture.reason);
  return lines;
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
            "copied 1, not copied 2, without a usable date 1, not examined 0\n");

  const auto run = Kalvero({"sort", "src", "t", "--report", "run.tsv"});
  EXPECT_EQ(run.exitStatus, plan.exitStatus);
  EXPECT_EQ(Outcomes(Journal("run.tsv")), Outcomes(Journal("plan.tsv")));
  EXPECT_TRUE(Journal("plan.tsv").header.plan);
  EXPECT_EQ(Journal("run.tsv").folders, std::vector<std::string>{"2004.08.07"});
}

TEST_F(JournalTest, ADryRunIntoANewTargetPrintsThePlanAlone) {
  const auto plan = Kalvero({"sort", "src", "new/t", "--dry-run"});
  EXPECT_EQ(plan.exitStatus, 1);
  EXPECT_EQ(plan.out,
            "src/a.jpg\tnew/t/2004.08.07/07.08.2004 - 16.45.33.jpg\n"
            "src/b.jpg\tthe name exists\n"
            "src/c.jpg\tno usable date\n"
            "src/d.jpg\tnew/t/2005.01.02/02.01.2005 - 03.04.05.jpg\n"
            "copied 2, not copied 1, without a usable date 1, not examined 0\n");
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
  EXPECT_EQ(plan.err.find("Fehler: " + GetParam().message), 0u) << plan.err;
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
    {"ReadOnlyTargetIntoDateFolders", TRunAs::Nobody, "ro/t", {}, "Permission denied"},
    {"NewTargetInAReadOnlyFolder", TRunAs::Nobody, "ro/new", {"--no-date-folders"}, "other"},
    {"ReadOnlyMedium", TRunAs::OnReadOnlyMount, "medium", {}, "Read-only file system"},
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
  EXPECT_EQ(Outcomes(Journal("plan.tsv")), Outcomes(Journal("run.tsv")));
  EXPECT_EQ(Stop(plan.err), Stop(run.err));
  const std::string planned = plan.out + plan.err + testing::PrintToString(Outcomes(Journal("plan.tsv")));
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
                                          "copied 0, not copied 0, without a usable date 1, not examined 1\n",
                                          "Kalvero 1.3: Cannot create the folder \"u/2004.08.09\": Not a directory.\n"};
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
  const TJournal journal = Journal("run.tsv");
  const auto copied = std::ranges::count(journal.pictures, "copied", &TJournalPicture::outcome);
  EXPECT_GT(copied, 0);
  EXPECT_LT(copied, 120);
  EXPECT_EQ(std::distance(fs::directory_iterator(work / "u"), fs::directory_iterator()), copied)
      << "no copy the journal does not name";
  EXPECT_NE(run.out.find("copied " + std::to_string(copied) + ","), std::string::npos) << run.out;

  // A run killed while it wrote its last line.
  work.Write("run.tsv", text + "picture\t" + journal.pictures.front().source);
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

  EXPECT_EQ(Kalvero({"sort", "src", "t", "--report", "run.tsv"}).exitStatus, 1);
  const TJournal journal = Journal("run.tsv");
  EXPECT_EQ(journal.header.target, fs::canonical(work / "t").string());
  EXPECT_EQ(journal.header.source, fs::canonical(work / "src").string());
  EXPECT_EQ(journal.header.filePattern, "DD.MM.YYYY - HH.NN.SS");
  ASSERT_EQ(journal.pictures.size(), 4u);
  const TJournalPicture& copied = journal.pictures[0];
  EXPECT_EQ(copied.outcome, "copied");
  const std::string copy = work / ("t/" + copied.target);
  EXPECT_EQ(copied.size, fs::file_size(copy));
  EXPECT_EQ(copied.lastWrite, LastWrite(copy));
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
  EXPECT_GE(journal.pictures.size(), 3u);
  for (const TJournalPicture& picture : journal.pictures)
    EXPECT_EQ(FileBytes(work / ("u/" + picture.target)), FileBytes(picture.source)) << "each line after its copy";
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

TEST_F(JournalTest, UndoFromAnotherFolderTakesBackTheRunWhereItWas) {
  EXPECT_EQ(Kalvero({"sort", "src", "new/t", "--report", "run.tsv"}).exitStatus, 1);
  // Beside the folder undo runs in: the target's chain and a source of the same relative names.
  TTempFolder elsewhere;
  elsewhere.MakeFolder("new/t");
  elsewhere.Write("src/a.jpg", "another picture");
  const auto undone = RunProgram({KALVERO_PROGRAM, "undo", work / "run.tsv"}, elsewhere.Path(), Environment());
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_FALSE(fs::exists(work / "new")) << "the run's copies and folders are gone";
  EXPECT_TRUE(fs::is_directory(elsewhere / "new/t")) << "folders of the same names elsewhere stay";
  const TJournal journal = Journal("run.tsv");
  EXPECT_EQ(journal.targetFolders, (std::vector<std::string>{fs::canonical(work.Path()).string() + "/new",
                                                             fs::canonical(work.Path()).string() + "/new/t"}));
  EXPECT_EQ(journal.pictures.at(0).source, fs::canonical(work / "src/a.jpg").string());
}

TEST_F(JournalTest, UndoRefusesAForgedJournalAndNeverFollowsALink) {
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--report", "run.tsv"}).exitStatus, 1);
  const auto after = Snapshot(work / "t");
  work.Write("forged.tsv", FileBytes(work / "run.tsv") + "picture\t/etc/passwd\t../../x\tdeleted\tnone\t0\t0\t\n");
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

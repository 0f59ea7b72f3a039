// `kalvero sort --folder-pattern A/B`: date folders nested one inside the other.

#include <filesystem>
#include <sstream>

#include "tests/app/command_line_test.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

class NestedFoldersTest : public CommandLineTest {
 protected:
  NestedFoldersTest() {
    work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
    work.Write("src/b.jpg", PictureTakenAt("2004:09:01 10:00:00"));
    work.Write("src/c.jpg", PictureTakenAt("2005:01:02 03:04:05"));
    // A level that was there before the run, holding a file of its own.
    work.Write("t/2004/notes.txt", "mine");
  }

  // The lines of `text` that begin with `kind`, without it.
  static std::vector<std::string> Lines(const std::string& text, const std::string& kind) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      if (line.starts_with(kind)) lines.push_back(line.substr(kind.size(), line.find('\t', kind.size()) - kind.size()));
    return lines;
  }
};

TEST_F(NestedFoldersTest, TheRunMakesEachLevelTheDryRunPlansItAndUndoTakesBackOnlyTheRunsLevels) {
  const std::vector<std::string> sort = {"sort", "src", "t", "--folder-pattern", "YYYY/MM/DD", "--pattern", "HHNNSS"};
  std::vector<std::string> arguments = sort;
  arguments.insert(arguments.end(), {"--dry-run", "--report", "plan.tsv"});
  const auto plan = Kalvero(arguments);
  EXPECT_EQ(plan.exitStatus, 0) << plan.err;
  EXPECT_EQ(Lines(plan.out, "src/"), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_NE(plan.out.find("src/c.jpg\tt/2005/01/02/030405.jpg\n"), std::string::npos) << plan.out;
  EXPECT_FALSE(fs::exists(work / "t/2005")) << "a plan makes nothing";

  arguments = sort;
  arguments.insert(arguments.end(), {"--report", "run.tsv"});
  const auto run = Kalvero(arguments);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  for (const char* copy : {"t/2004/08/07/164533.jpg", "t/2004/09/01/100000.jpg", "t/2005/01/02/030405.jpg"})
    EXPECT_TRUE(fs::is_regular_file(work / copy)) << copy;
  const std::vector<std::string> made = {"2004/08", "2004/08/07", "2004/09", "2004/09/01",
                                         "2005",    "2005/01",    "2005/01/02"};
  EXPECT_EQ(Lines(FileBytes(work / "run.tsv"), "folder\t"), made) << "outermost first, not the level already there";
  EXPECT_EQ(Lines(FileBytes(work / "plan.tsv"), "folder\t"), made) << "the plan is the run's";
  EXPECT_EQ(Lines(FileBytes(work / "plan.tsv"), "picture\t/"), Lines(FileBytes(work / "run.tsv"), "picture\t/"));

  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  std::vector<std::string> removed;
  for (const std::string& path : Lines(undone.out, "removed\t"))
    removed.push_back(path.substr((work / "t/").size()));
  EXPECT_EQ(removed, (std::vector<std::string>{"2004/08/07/164533.jpg", "2004/09/01/100000.jpg",
                                               "2005/01/02/030405.jpg", "2005/01/02", "2004/09/01", "2004/08/07",
                                               "2005/01", "2004/09", "2004/08", "2005"}))
      << "each level after every level below it";
  EXPECT_EQ(FileBytes(work / "t/2004/notes.txt"), "mine");
  EXPECT_EQ(std::distance(fs::directory_iterator(work / "t/2004"), fs::directory_iterator()), 1);
  EXPECT_FALSE(fs::exists(work / "t/2005"));
}

TEST_F(NestedFoldersTest, ALinkAtAnOuterLevelIsNeverFollowed) {
  fs::create_directory(work / "elsewhere");
  fs::create_directory_symlink(work / "elsewhere", work / "t/2005");
  const auto run = Kalvero({"sort", "src", "t", "--folder-pattern", "YYYY/MM"});
  EXPECT_EQ(run.exitStatus, 3) << run.err;
  EXPECT_NE(run.err.find("Cannot create the folder \"t/2005\": not a folder."), std::string::npos) << run.err;
  EXPECT_TRUE(fs::is_empty(work / "elsewhere"));
}

// Only the command line nests: a stored pattern holding '/' is its default, under the same checks.
TEST_F(NestedFoldersTest, AStoredPatternNestsOnTheCommandLineUnderTheSameChecks) {
  const std::string settings = appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nfolder=YYYY/MM.DD\r\n");
  EXPECT_EQ(Kalvero({"sort", "src", "t"}).exitStatus, 0);
  EXPECT_TRUE(fs::exists(work / "t/2005/01.02/02.01.2005 - 03.04.05.jpg"));
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nfolder=YYYY//MM\r\n");
  const auto refused = Kalvero({"sort", "src", "t"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.err.find("\"folder\" in " + settings + ": a folder pattern has no empty level"), std::string::npos)
      << refused.err;
}

}  // namespace
}  // namespace kalvero

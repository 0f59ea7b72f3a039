// `kalvero sort --on-clash`: a card imported a second time, and two pictures of the same second.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/journal.h"
#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

// A card of three pictures, two of them taken in the same second, imported once already without a
// choice: a's and d's copies are in the target, b (a's second) was refused its name.
class ClashTest : public CommandLineTest {
 protected:
  ClashTest() {
    work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
    work.Write("src/b.jpg", PictureTakenAt("2004:08:07 16:45:33") + "same second");
    work.Write("src/d.jpg", PictureTakenAt("2005:01:02 03:04:05"));
    EXPECT_EQ(Kalvero({"sort", "src", "t"}).exitStatus, 1);
  }

  // The picture lines of a journal from their source's name to their reason.
  std::string Outcomes(const std::string& journal) const {
    std::string outcomes;
    std::istringstream text(FileBytes(work / journal));
    for (std::string line; std::getline(text, line);) {
      if (!line.starts_with("picture\t")) continue;
      std::size_t end = 0;
      for (int field = 0; field < 5; ++field) end = line.find('\t', end) + 1;
      const std::size_t name = line.rfind('/', line.find('\t', 8)) + 1;
      outcomes += line.substr(name, end - 1 - name) + "\n";
    }
    return outcomes;
  }
};

const std::string kA = "2004.08.07/07.08.2004 - 16.45.33.jpg";
const std::string kD = "2005.01.02/02.01.2005 - 03.04.05.jpg";

struct TClashCase {
  std::string name;
  std::string choice;
  int exitStatus;
  std::string plan;     // what the dry run prints for a, b and d, and its summary
  std::string journal;  // the target, outcome and reason of a, b and d
};

const std::vector<TClashCase> kClashCases = {
    {"Fail", "fail", 1,
     "src/a.jpg\tthe name exists\nsrc/b.jpg\tthe name exists\nsrc/d.jpg\tthe name exists\n"
     "copied 0, not copied 3, without a usable date 0, not examined 0, other files 0\n",
     "a.jpg\t" + kA + "\tnot-copied\tname-exists\n" + "b.jpg\t" + kA + "\tnot-copied\tname-exists\n" + "d.jpg\t" + kD +
         "\tnot-copied\tname-exists\n"},
    {"SkipIdentical", "skip-identical", 1,
     "src/a.jpg\talready there: t/" + kA + "\nsrc/b.jpg\tthe name exists\nsrc/d.jpg\talready there: t/" + kD + "\n" +
         "copied 0, not copied 1, without a usable date 0, not examined 0, other files 0, already there 2\n",
     "a.jpg\t" + kA + "\talready-there\tnone\n" + "b.jpg\t" + kA + "\tnot-copied\tname-exists\n" + "d.jpg\t" + kD +
         "\talready-there\tnone\n"},
    {"Number", "number", 0,
     "src/a.jpg\talready there: t/" + kA + "\nsrc/b.jpg\tt/2004.08.07/07.08.2004 - 16.45.33 (2).jpg\n" +
         "src/d.jpg\talready there: t/" + kD + "\n" +
         "copied 1, not copied 0, without a usable date 0, not examined 0, other files 0, already there 2\n",
     "a.jpg\t" + kA + "\talready-there\tnone\n" + "b.jpg\t2004.08.07/07.08.2004 - 16.45.33 (2).jpg\tcopied\tnone\n" +
         "d.jpg\t" + kD + "\talready-there\tnone\n"},
};

class ClashChoiceTest : public ClashTest, public testing::WithParamInterface<TClashCase> {};

// The dry run predicts the run exactly; the run journals each picture's outcome and changes nothing
// already there.
TEST_P(ClashChoiceTest, ASecondImportDoesWhatTheChoiceSays) {
  const TClashCase& clash = GetParam();
  const auto plan = Kalvero({"sort", "src", "t", "--on-clash", clash.choice, "--dry-run", "--report", "plan.tsv"});
  EXPECT_EQ(plan.out, clash.plan);
  EXPECT_EQ(plan.exitStatus, clash.exitStatus);
  const std::string before = FileBytes(work / ("t/" + kA));

  const auto run = Kalvero({"sort", "src", "t", "--on-clash=" + clash.choice, "--report", "run.tsv"});
  EXPECT_EQ(run.exitStatus, clash.exitStatus) << run.err;
  EXPECT_EQ(Outcomes("run.tsv"), clash.journal);
  EXPECT_EQ(Outcomes("plan.tsv"), clash.journal);
  EXPECT_EQ(FileBytes(work / ("t/" + kA)), before);
  EXPECT_EQ(FileBytes(work / "t/2004.08.07/07.08.2004 - 16.45.33 (2).jpg"),
            clash.choice == "number" ? FileBytes(work / "src/b.jpg") : "");
}

INSTANTIATE_TEST_SUITE_P(Choices, ClashChoiceTest, testing::ValuesIn(kClashCases), TCaseName());

// Importing the same card once more is a success that copies nothing; undo of a numbering run takes
// back its numbered copy alone, never the files that were already there.
TEST_F(ClashTest, NumberingTwiceFindsEverythingThereAndUndoKeepsIt) {
  ASSERT_EQ(Kalvero({"sort", "src", "t", "--on-clash", "number", "--report", "first.tsv"}).exitStatus, 0);
  const auto again = Kalvero({"sort", "src", "t", "--on-clash", "number", "--verbose", "--report", "again.tsv"});
  EXPECT_EQ(again.exitStatus, 0);
  EXPECT_NE(again.out.find("copied 0, not copied 0, without a usable date 0, not examined 0, other files 0, "
                           "already there 3"),
            std::string::npos)
      << again.out;
  EXPECT_NE(again.err.find("src/b.jpg: already there: t/2004.08.07/07.08.2004 - 16.45.33 (2).jpg"), std::string::npos)
      << again.err;

  EXPECT_EQ(Kalvero({"undo", "again.tsv"}).exitStatus, 0);
  EXPECT_TRUE(fs::exists(work / "t/2004.08.07/07.08.2004 - 16.45.33 (2).jpg"));
  const auto undone = Kalvero({"undo", "first.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_FALSE(fs::exists(work / "t/2004.08.07/07.08.2004 - 16.45.33 (2).jpg"));
  EXPECT_TRUE(fs::exists(work / ("t/" + kA)));
  EXPECT_TRUE(fs::exists(work / ("t/" + kD)));
}

// A numbered name is never a link's: a link at " (2)" is a taken name like any other, and the copy
// goes to " (3)"; nothing is written through the link.
TEST_F(ClashTest, ALinkAtANumberedNameIsPassedOver) {
  work.Write("elsewhere/victim.jpg", "not to be touched");
  fs::create_symlink(work / "elsewhere/victim.jpg", work / "t/2004.08.07/07.08.2004 - 16.45.33 (2).jpg");
  const auto run = Kalvero({"sort", "src", "t", "--on-clash", "number"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(FileBytes(work / "elsewhere/victim.jpg"), "not to be touched");
  EXPECT_EQ(FileBytes(work / "t/2004.08.07/07.08.2004 - 16.45.33 (3).jpg"), FileBytes(work / "src/b.jpg"));
}

TEST_F(ClashTest, AnUnknownChoiceIsAUsageError) {
  const auto run = Kalvero({"sort", "src", "t", "--on-clash", "overwrite"});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.err.find("--on-clash takes fail, skip-identical or number, not overwrite"), std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace kalvero

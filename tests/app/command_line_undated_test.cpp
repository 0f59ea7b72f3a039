// `kalvero sort --undated`: what becomes of a picture without a usable date.

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

struct TUndatedCase {
  std::string name;
  std::vector<std::string> choice;
  int exitStatus;
  std::string copy;     // where the undated picture's copy is, below the target; empty for none
  std::string summary;  // the summary line
  std::string verbose;  // what --verbose says of the undated picture
};

const std::vector<TUndatedCase> kUndatedCases = {
    {"Keep", {"keep"}, 1, "", "copied 1, not copied 0, without a usable date 1, not examined 0, other files 0",
     "src/sub/c.JPG: no usable date\nwarning: The following files do not contain or wrong Exif data:  src/sub/c.JPG\n"},
    {"Folder", {"folder", "ohne Datum"}, 0, "ohne Datum/c.JPG",
     "copied 2, not copied 0, without a usable date 0, not examined 0, other files 0",
     "src/sub/c.JPG: no usable date: t/ohne Datum/c.JPG\n"},
    {"FileTime", {"file-time"}, 0, "2011.02.03/03.02.2011 - 04.05.06.jpg",
     "copied 2, not copied 0, without a usable date 0, not examined 0, other files 0",
     "src/sub/c.JPG: dated by its file time: t/2011.02.03/03.02.2011 - 04.05.06.jpg\n"},
};

class UndatedTest : public CommandLineTest, public testing::WithParamInterface<TUndatedCase> {
 protected:
  UndatedTest() {
    work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
    const std::string undated = work.Write("src/sub/c.JPG", "no exif at all");
    const timespec times[2] = {{0, UTIME_OMIT}, {1'296'705'906, 500'000'000}};  // 2011-02-03 04:05:06.5 UTC
    EXPECT_EQ(::utimensat(AT_FDCWD, undated.c_str(), times, 0), 0);
  }

  TProgramResult Sort(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {KALVERO_PROGRAM, "sort", "src", "t", "--undated"});
    auto environment = Environment();
    environment["TZ"] = "UTC";
    return RunProgram(arguments, work.Path(), environment);
  }
};

// The dry run predicts the run; undo takes the run back whole, the copy of the undated picture and
// the folder made for it included.
TEST_P(UndatedTest, APictureWithoutADateIsKeptFiledOrDatedByItsFile) {
  const TUndatedCase& undated = GetParam();
  std::vector<std::string> arguments = undated.choice;
  arguments.insert(arguments.end(), {"--dry-run"});
  const auto plan = Sort(arguments);
  EXPECT_EQ(plan.exitStatus, undated.exitStatus) << plan.err;
  EXPECT_FALSE(fs::exists(work / "t"));

  arguments.back() = "--verbose";
  arguments.insert(arguments.end(), {"--report", "run.tsv"});
  const auto run = Sort(arguments);
  EXPECT_EQ(run.exitStatus, undated.exitStatus) << run.err;
  EXPECT_NE(run.out.find(undated.summary), std::string::npos) << run.out;
  EXPECT_NE(plan.out.find(undated.summary), std::string::npos) << plan.out;
  EXPECT_EQ(run.err, undated.verbose);
  if (!undated.copy.empty()) {
    EXPECT_EQ(FileBytes(work / ("t/" + undated.copy)), "no exif at all");
    EXPECT_NE(plan.out.find("src/sub/c.JPG\tt/" + undated.copy + "\n"), std::string::npos) << plan.out;
  }

  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_FALSE(fs::exists(work / "t")) << "the target, which the run made, goes too";
}

INSTANTIATE_TEST_SUITE_P(Choices, UndatedTest, testing::ValuesIn(kUndatedCases), TCaseName());

// The folder of the undated pictures is one plain name; with the clash choice numbering, two
// undated pictures of the same name both find a place in it.
TEST_F(CommandLineTest, TheUndatedFolderIsAPlainNameAndTakesTheClashChoice) {
  work.Write("src/c.JPG", "first");
  work.Write("src/sub/c.JPG", "second");
  for (const char* name : {"a/b", "..", ""}) {
    const auto refused = Kalvero({"sort", "src", "t", "--undated", "folder", name});
    EXPECT_EQ(refused.exitStatus, 2) << name;
    EXPECT_NE(refused.err.find("is no plain folder name"), std::string::npos) << refused.err;
  }
  EXPECT_EQ(Kalvero({"sort", "src", "t", "--undated"}).exitStatus, 2);
  const auto run = Kalvero({"sort", "src", "t", "--undated", "folder", "undated", "--on-clash", "number"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(FileBytes(work / "t/undated/c.JPG"), "first");
  EXPECT_EQ(FileBytes(work / "t/undated/c (2).JPG"), "second");
}

}  // namespace
}  // namespace kalvero

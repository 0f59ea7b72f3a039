// The command line as scripts use it: help and version, the end of the options, escaped output,
// the summary line and the reasons, a pattern too long for the target.

#include <filesystem>

#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

TEST_F(CommandLineTest, EveryCommandHasItsHelpAndTheProgramItsVersion) {
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"sort", "--help"}, {"sort", "-h"}, {"date", "-h"}, {"exif", "--help"},
        {"undo", "--help"}, {"--help"}, {"-h"}}) {
    const auto help = Kalvero(command);
    EXPECT_EQ(help.exitStatus, 0) << command[0];
    EXPECT_NE(help.out.find("Usage"), std::string::npos) << command[0];
    const bool general = command.size() == 1;
    EXPECT_EQ(help.out.find("\\xNN") != std::string::npos, general) << "the escapes are told once: " << command[0];
  }
  const auto sort = Kalvero({"sort", "--help"});
  EXPECT_NE(sort.out.find("[SOURCE TARGET]"), std::string::npos) << "both folders are optional";
  EXPECT_NE(sort.out.find(appData / "Vandrel/Kalvero/kalvero.ini"), std::string::npos) << "where the defaults come from";
  EXPECT_EQ(Kalvero({"--version"}).out, "kalvero 1.3\n");
}

TEST_F(CommandLineTest, TwoDashesEndTheOptions) {
  work.Write("--x/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  const auto sorted = Kalvero({"sort", "--no-date-folders", "--", "--x", "-t"});
  EXPECT_EQ(sorted.exitStatus, 0) << sorted.err;
  EXPECT_TRUE(fs::exists(work / "-t/07.08.2004 - 16.45.33.jpg"));
  const auto date = Kalvero({"date", "--", "--x/a.jpg"});
  EXPECT_EQ(date.out, "2004:08:07 16:45:33\t--x/a.jpg\n");
  EXPECT_EQ(Kalvero({"date", "--x/a.jpg"}).exitStatus, 2) << "before -- it is an option";
}

struct TUsageCase {
  std::string name;
  std::vector<std::string> arguments;
  int exitStatus;
  std::string message;
};

const std::vector<TUsageCase> kUsageCases = {
    {"ShortOptionBeforeTheFolders", {"sort", "-v", "src", "t"}, 2, "kalvero: unknown option -v\n"},
    {"OptionInsteadOfACommand", {"--bogus"}, 2, "kalvero: unknown option --bogus\n"},
    {"UnknownCommand", {"bogus"}, 2, "kalvero: unknown command bogus\n"},
    {"OptionOfAFileCommand", {"date", "-x", "src/a.jpg"}, 2, "kalvero: date: unknown option -x\n"},
    {"LoneDashIsAFile", {"date", "-"}, 1, ""},
};

class UsageTest : public CommandLineTest, public testing::WithParamInterface<TUsageCase> {};

TEST_P(UsageTest, UnknownOptionsAreUsageErrorsThatNameThem) {
  work.Write("src/a.jpg", "no exif");
  const auto result = Kalvero(GetParam().arguments);
  EXPECT_EQ(result.exitStatus, GetParam().exitStatus) << result.err;
  EXPECT_TRUE(result.err.starts_with(GetParam().message)) << result.err;
  EXPECT_EQ(result.out.find("JPEG"), std::string::npos) << "no run: " << result.out;
}

INSTANTIATE_TEST_SUITE_P(Usage, UsageTest, testing::ValuesIn(kUsageCases), TCaseName());

TEST_F(CommandLineTest, NamesFromOutsideAreEscapedSoNoneCanPlayTricksOnATerminal) {
  const std::string clear = "clear\x1b[2J\x1b]0;title\a.jpg";
  const std::string split = "two\nlines\\.jpg";
  const std::string latin1 = "\xE4rger.jpg";
  for (const std::string& name : {clear, split, latin1}) work.Write("src/" + name, "no exif");
  const auto date = Kalvero({"date", "src/" + clear, "src/" + split, "src/" + latin1});
  EXPECT_EQ(date.out,
            "\tsrc/clear\\x1B[2J\\x1B]0;title\\x07.jpg\n\tsrc/two\\x0Alines\\\\.jpg\n\tsrc/\\xE4rger.jpg\n");
  const auto sorted = Kalvero({"sort", "src", "t", "--verbose"});
  EXPECT_EQ(sorted.err.find('\x1b'), std::string::npos) << sorted.err;
  EXPECT_NE(sorted.err.find("src/two\\x0Alines\\\\.jpg: no usable date"), std::string::npos) << sorted.err;
}

TEST_F(CommandLineTest, EveryRunEndsWithASummaryAndVerboseNamesEachReason) {
  work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  work.Write("src/b.jpg", PictureTakenAt("2004:08:07 16:45:33") + "a burst");
  work.Write("src/c.jpg", "no exif");
  const auto run = Kalvero({"sort", "src", "t", "--no-date-folders", "--verbose"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(run.out.ends_with("copied 1, not copied 1, without a usable date 1, not examined 0, other files 0\n")) << run.out;
  EXPECT_NE(run.err.find("src/b.jpg: the name exists\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("src/c.jpg: no usable date\n"), std::string::npos) << run.err;
}

TEST_F(CommandLineTest, APatternTooLongForTheTargetIsRefusedBeforeTheRun) {
  work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  const std::string longPattern = std::string(250, 'x') + " HHNNSS YYYYMMDD";
  const auto result = Kalvero({"sort", "src", "t", "--no-date-folders", "--pattern", longPattern});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find("--pattern: the names it makes are 270 bytes long; the file system of the target takes "
                            "at most 255"),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(fs::exists(work / "t"));
  // A name that fits with ".jpg" does not with the ".heic" of a run that takes HEIF pictures.
  const auto heif = Kalvero({"sort", "src", "t", "--no-date-folders", "--types", "jpeg,heic", "--pattern",
                             std::string(235, 'x') + " HHNNSS YYYYMMDD"});
  EXPECT_NE(heif.err.find("the names it makes are 256 bytes long"), std::string::npos) << heif.err;
  EXPECT_NE(Kalvero({"sort", "src", "t", "--pattern", "DD:MM"}).err.find("cannot hold any of \""), std::string::npos)
      << "one blank before the characters";
}

}  // namespace
}  // namespace kalvero

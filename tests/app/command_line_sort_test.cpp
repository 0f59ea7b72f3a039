#include <filesystem>

#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

class SortCommandTest : public CommandLineTest {
 protected:
  void AddPicture(const std::string& relative, const std::string& dateTime) {
    const std::string path = work.Write("src/" + relative, PictureTakenAt(dateTime) + relative);
    sources.emplace_back(path, std::make_pair(FileBytes(path), LastWrite(path)));
  }

  void ExpectSourcesUntouched() const {
    for (const auto& [path, before] : sources) {
      EXPECT_EQ(FileBytes(path), before.first) << path;
      EXPECT_EQ(LastWrite(path), before.second) << path;
    }
  }

  bool Exists(const std::string& relative) const { return std::filesystem::exists(work / relative); }

  std::vector<std::pair<std::string, std::pair<std::string, std::int64_t>>> sources;
};

TEST_F(SortCommandTest, DateFolderRunReportsInEnglishAndLeavesSourcesAlone) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.JPEG", "2005:01:02 03:04:05");
  AddPicture("sub/c.jpg", "2004:08:07 16:45:34");
  AddPicture("d.jpg", "");
  const auto result = Kalvero({"sort", "src", "t", "--folder-pattern", "YYYY"});
  EXPECT_EQ(result.exitStatus, 1) << result.err;
  // The source is scanned when it is entered, and again when the run starts, as in the window.
  EXPECT_EQ(result.out,
            "Folders are scanned ...\n4 JPEG-Files found in the folder!\n"
            "information: The folder \"t\" does not exist.\nIt is provided automatically!\n"
            "Folders are scanned ...\n4 JPEG-Files found in the folder!\nFolder structure provided...\n"
            "Copy files ...\nWriting the copies to the medium ...\n3 files copied!\n"
            "copied 3, not copied 0, without a usable date 1, not examined 0, other files 0\n");
  EXPECT_EQ(result.err, "warning: The following files do not contain or wrong Exif data:  src/d.jpg\n");
  EXPECT_TRUE(Exists("t/2004/07.08.2004 - 16.45.33.jpg"));
  EXPECT_TRUE(Exists("t/2004/07.08.2004 - 16.45.34.jpg"));
  EXPECT_EQ(FileBytes(work / "t/2005/02.01.2005 - 03.04.05.jpg"), FileBytes(work / "src/b.JPEG"));
  EXPECT_EQ(LastWrite(work / "t/2005/02.01.2005 - 03.04.05.jpg"), LastWrite(work / "src/b.JPEG"));
  ExpectSourcesUntouched();
}

TEST_F(SortCommandTest, CleanRunExitsZeroAndASecondRunListsEveryPicture) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:07 16:45:34");
  const auto first = Kalvero({"sort", "src", "t", "--no-date-folders", "--language", "German"});
  EXPECT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_TRUE(first.out.ends_with("Dateien werden kopiert ...\nKopien werden auf den Datenträger geschrieben ...\n"
                                  "2 Dateien kopiert!\ncopied 2, not copied 0, without a usable date 0, not examined 0, other files 0\n"))
      << first.out;
  const auto second = Kalvero({"sort", "src", "t", "--no-date-folders", "--language=German"});
  EXPECT_EQ(second.exitStatus, 1);
  EXPECT_EQ(second.err, "Fehler: Folgende Dateien konnten nicht kopiert werden:  src/a.jpg, src/b.jpg\n");
  ExpectSourcesUntouched();
}

TEST_F(SortCommandTest, NumberedRunAndBareRelativeTarget) {
  for (int i = 0; i < 12; ++i) AddPicture("p" + std::to_string(10 + i) + ".jpg", "");
  const auto result = Kalvero({"sort", "src", "sorted", "--pattern", "FFF", "--no-date-folders"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_TRUE(Exists("sorted/00.jpg"));
  EXPECT_TRUE(Exists("sorted/11.jpg"));
  EXPECT_EQ(FileBytes(work / "sorted/05.jpg"), FileBytes(work / "src/p15.jpg"));
}

TEST_F(SortCommandTest, TargetEndingInTheSeparator) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  EXPECT_EQ(Kalvero({"sort", "src/", "t/"}).exitStatus, 0);
  EXPECT_TRUE(Exists("t/2004.08.07/07.08.2004 - 16.45.33.jpg"));
}

TEST_F(SortCommandTest, DateTextThatWouldLeaveTheTargetIsNotCopied) {
  AddPicture("evil.jpg", "2004:08:07 ..:/.:./");
  AddPicture("good.jpg", "2004:08:07 10:00:00");
  const auto result = Kalvero({"sort", "src", "t", "--pattern", "YYYYMMDDHHNNSS", "--no-date-folders"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find("could not be copied:  src/evil.jpg"), std::string::npos) << result.err;
  EXPECT_TRUE(Exists("t/20040807100000.jpg"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Path()), {}), 2) << "only src and t";
}

TEST_F(SortCommandTest, DateFolderBlockedByAFileStopsTheRun) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  work.Write("t/2004.08.07", "in the way");
  const auto result = Kalvero({"sort", "src", "t"});
  EXPECT_EQ(result.exitStatus, 3);
  EXPECT_EQ(result.err, "Kalvero 1.3: Cannot create the folder \"t/2004.08.07\": not a folder.\n");
}

TEST_F(SortCommandTest, QuestionIsAnsweredCancelWithoutATerminalAndYesWithTheOption) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  const auto cancelled = Kalvero({"sort", "src", "t", "--pattern", "HHNNSS", "--no-date-folders"});
  EXPECT_EQ(cancelled.exitStatus, 2);
  EXPECT_NE(cancelled.err.find("warning: The files are sorted only after time. Consider that files with\n"
                               "same file names are overwritten. Assortment nevertheless start?\n"),
            std::string::npos)
      << cancelled.err;
  EXPECT_FALSE(Exists("t/164533.jpg"));
  const auto confirmed = Kalvero({"sort", "src", "t", "--pattern", "HHNNSS", "--no-date-folders", "--yes"});
  EXPECT_EQ(confirmed.exitStatus, 0);
  EXPECT_NE(confirmed.err.find("Assortment nevertheless start?"), std::string::npos);
  EXPECT_TRUE(Exists("t/164533.jpg"));
}

struct TRefusalCase {
  std::string name;
  std::vector<std::string> arguments;
  std::string message;
};

const std::vector<TRefusalCase> kRefusals = {
    {"PatternWithoutTokens", {"--pattern", "Bild"}, "error: The parameters FFF (sequential assortment)"},
    {"NumbersWithDateFolders", {"--pattern", "FFF"}, "error: A sequential numbering (FFF) cannot take place,"},
    {"EmptySource", {"--source-is-empty"}, "error: Please indicate a source path and a target path!"},
    {"UnknownLanguage", {"--language", "Klingon"}, "--language: no texts for \"Klingon\""},
    {"LongFolderPattern", {"--folder-pattern", "YYYY.MM.DD.X"}, "--folder-pattern: a folder pattern has at most 10"},
    {"ColonInPattern", {"--pattern", "DD:MM:YYYY HHNNSS"}, "--pattern: a pattern cannot hold any of"},
    {"FolderPatternLeavingTheTarget", {"--folder-pattern", ".."}, "--folder-pattern: the names it makes are no"},
    {"EmptyFolderLevel", {"--folder-pattern", "YYYY//MM"}, "--folder-pattern: a folder pattern has no empty level"},
    {"LeadingSlash", {"--folder-pattern", "/YYYY.MM"}, "--folder-pattern: a folder pattern has no empty level"},
    {"TrailingSlash", {"--folder-pattern", "YYYY.MM/"}, "--folder-pattern: a folder pattern has no empty level"},
    {"LongFolderLevel", {"--folder-pattern", "YYYY/MM.DD.YYYY.X"},
     "--folder-pattern: a folder pattern has at most 10 characters in each level"},
    {"ColonInFolderLevel", {"--folder-pattern", "YYYY/MM:DD"}, "--folder-pattern: a folder pattern cannot hold any"},
    {"FolderLevelLeavingTheTarget", {"--folder-pattern", "YYYY/../DD"}, "--folder-pattern: the names it makes are no"},
    {"ControlCharacterInPattern", {"--pattern", "HH\tNNSS YYYYMMDD"}, "--pattern: the names it makes are no"},
    {"UnknownOption", {"--fast"}, "unknown option --fast"},
    {"UnknownShortOption", {"-v"}, "unknown option -v"},
    {"MissingValue", {"--pattern"}, "--pattern needs a value"},
    {"EmptyJournalName", {"--report", ""}, "--report needs a file name"},
    {"EmptyJournalNameJoined", {"--report="}, "--report needs a file name"},
};

class SortRefusalTest : public SortCommandTest, public testing::WithParamInterface<TRefusalCase> {};

TEST_P(SortRefusalTest, ExitsWithStatusTwoAndSaysWhy) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  std::vector<std::string> arguments = {"sort", "src", "t"};
  if (GetParam().arguments.front() == "--source-is-empty")
    arguments[1] = "";
  else
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  const auto result = Kalvero(arguments);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
  EXPECT_FALSE(Exists("t/2004.08.07"));
}

INSTANTIATE_TEST_SUITE_P(Refusals, SortRefusalTest, testing::ValuesIn(kRefusals), TCaseName());

TEST_F(SortCommandTest, StoredSettingsGiveTheDefaultsAndOptionsOverrideThem) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nlng=German\r\nsource=" + (work / "src") + "\r\ntarget=" +
                                                   (work / "stored") + "\r\ncb1=1\r\ncb2=0\r\nfile=Bild FFF\r\n");
  const auto stored = Kalvero({"sort"});
  EXPECT_EQ(stored.exitStatus, 0) << stored.err;
  EXPECT_NE(stored.out.find("1 Dateien kopiert!"), std::string::npos);
  EXPECT_TRUE(Exists("stored/Bild 0.jpg"));

  const auto overridden = Kalvero({"sort", "src", "t", "--language", "English", "--pattern", "YYYY FFF"});
  EXPECT_EQ(overridden.exitStatus, 0) << overridden.err;
  EXPECT_NE(overridden.out.find("1 files copied!"), std::string::npos);
  EXPECT_TRUE(Exists("t/2004 0.jpg"));

  // The window's folders as typed there: "~" is the home folder (here the settings' base).
  appData.Write("Karte/b.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nsource=~/Karte\r\ntarget=~/Sorted\r\ncb2=0\r\nfile=FFF\r\n");
  const auto home = Kalvero({"sort"});
  EXPECT_EQ(home.exitStatus, 0) << home.err;
  EXPECT_TRUE(std::filesystem::exists(appData / "Sorted/0.jpg"));
  EXPECT_FALSE(Exists("~"));
}

TEST_F(SortCommandTest, StoredValuesAreCheckedLikeOptionsAndNamed) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  const std::string file = appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nfile=DD:MM:YYYY HHNNSS\r\n");
  const auto result = Kalvero({"sort", "src", "t"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find("\"file\" in " + file + ": a pattern cannot hold"), std::string::npos) << result.err;
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\nlng=Klingon\r\n");
  EXPECT_NE(Kalvero({"sort", "src", "t"}).err.find("\"lng\" in " + file), std::string::npos);
}

TEST_F(SortCommandTest, FoldersAreGivenBothOrNeither) {
  const auto none = Kalvero({"sort"});
  EXPECT_EQ(none.exitStatus, 2);
  EXPECT_NE(none.err.find("sort needs a SOURCE and a TARGET folder"), std::string::npos);
  appData.Write("Vandrel/Kalvero/kalvero.ini", "[pref]\r\n");
  const auto one = Kalvero({"sort", "src"});
  EXPECT_EQ(one.exitStatus, 2);
  EXPECT_NE(one.err.find("give both SOURCE and TARGET"), std::string::npos);
}

TEST_F(SortCommandTest, CommandLineNeverWritesSettings) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  EXPECT_EQ(Kalvero({"sort", "src", "t"}).exitStatus, 0);
  EXPECT_FALSE(std::filesystem::exists(appData / "Vandrel"));
}

}  // namespace
}  // namespace kalvero

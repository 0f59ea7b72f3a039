#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ios>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/error_text.h"
#include "engine/sort_engine.h"
#include "platform/dialogs.h"
#include "platform/file_names.h"
#include "platform/memory_file_system.h"
#include "platform/system_errors.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_host.h"
#include "tests/support/slashed_paths.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

// Copy runs over an in-memory tree: pictures under "src", the target "t".
class CopyRunTest : public testing::Test {
 protected:
  CopyRunTest() {
    host.dir2 = "t";
    fs.AddFolder("t");
  }

  void AddPicture(const std::string& name, const std::string& dateTime) {
    fs.AddFile("src/" + name, PictureTakenAt(dateTime), 1'000'000'007);
    sources.push_back("src/" + name);
  }

  std::optional<TRunSummary> Run() {
    engine.SetSourceFolder("src");
    return engine.Button1Click();
  }

  // The names in a folder of the target.
  std::vector<std::string> Listing(const std::string& folder = "t") const {
    std::vector<std::string> names;
    for (const auto& entry : fs.ListFolder(folder)) names.push_back(entry.name);
    return names;
  }

  void ExpectSourcesUntouched() const {
    for (const std::string& source : sources) {
      EXPECT_TRUE(fs.FileContent(source).has_value()) << source;
      EXPECT_EQ(fs.FileFacts(source)->lastWriteNanoseconds, 1'000'000'007) << source;
    }
  }

  // The texts of the boxes shown, in order.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& message : host.messages) texts.push_back(Slashed(message.text));
    return texts;
  }

  int HighestBarPosition() const {
    int highest = 0;
    for (const std::string& event : host.events)
      if (event.starts_with("bar=")) highest = std::max(highest, std::stoi(event.substr(4)));
    return highest;
  }

  TMemoryFileSystem fs;
  TRecordingHost host{"German"};
  TSortEngine engine{host, fs, kClock};
  std::vector<std::string> sources;
};

TEST_F(CopyRunTest, FlatRunByTimeReportsEveryStep) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:07 16:45:34");
  host.events.clear();
  const auto summary = Run();
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->copied, 2);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"07.08.2004 - 16.45.33.jpg", "07.08.2004 - 16.45.34.jpg"}));
  const std::vector<std::string> runEvents(std::find(host.events.begin(), host.events.end(), "cursor=busy"),
                                           host.events.end());
  EXPECT_EQ(runEvents, (std::vector<std::string>{"cursor=busy", "process", "icon=3 now",
                                                 "status=Dateien werden kopiert ...", "bar=1", "Label6=1 now",
                                                 "bar=2", "Label6=2 now",
                                                 "status=Kopien werden auf den Datenträger geschrieben ...",
                                                 "icon=0 now", "status=2 Dateien kopiert!", "cursor=default",
                                                 "bar=0"}));
  EXPECT_EQ(fs.usage.flushes, 1);
  EXPECT_EQ(fs.FileFacts("t/07.08.2004 - 16.45.33.jpg")->lastWriteNanoseconds, 1'000'000'007);
  ExpectSourcesUntouched();
}

TEST_F(CopyRunTest, SecondPictureOfTheSameSecondIsNotCopiedAndNothingIsReplaced) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  fs.AddFile("src/b.jpg", PictureTakenAt("2004:08:07 16:45:33") + "other bytes", 1'000'000'007);
  sources.push_back("src/b.jpg");
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 1);
  EXPECT_EQ(summary->failed, 1);
  EXPECT_EQ(fs.FileContent("t/07.08.2004 - 16.45.33.jpg"), fs.FileContent("src/a.jpg"));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien konnten nicht kopiert werden:  src/b.jpg"});
  EXPECT_EQ(host.statusText, "Dateien werden kopiert ...");
  ExpectSourcesUntouched();
}

TEST_F(CopyRunTest, SecondRunIntoTheSameTargetListsEveryPicture) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpeg", "2005:01:02 03:04:05");
  Run();
  host.messages.clear();
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien konnten nicht kopiert werden:  src/a.jpg, src/b.jpeg"});
  EXPECT_EQ(host.statusText, "Dateien werden kopiert ...");
  EXPECT_EQ(host.label6, "") << "the run's own scan emptied it and nothing was copied";
  EXPECT_EQ(fs.usage.copiesRead, 2) << "the second run read no picture's bytes for a name that exists";
  EXPECT_EQ(fs.usage.flushes, 1) << "nothing to flush when nothing was copied";
}

TEST_F(CopyRunTest, NumberedRunStartsAtZeroWithTheWidthOfTheCount) {
  host.cb2 = false;
  host.edit1 = "FFF";
  for (int i = 0; i < 12; ++i) AddPicture("p" + std::to_string(100 + i) + ".jpg", "");
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 12);
  EXPECT_EQ(summary->undated, 0) << "a numbered run without date tokens reads no dates";
  const auto names = Listing();
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names.front(), "00.jpg");
  EXPECT_EQ(names.back(), "11.jpg");
  EXPECT_EQ(fs.FileContent("t/03.jpg"), fs.FileContent("src/p103.jpg"));
}

TEST_F(CopyRunTest, NumberedRunKeepsTheWidthItStartedWithWhenANewerScanChangesTheCount) {
  host.cb2 = false;
  host.edit1 = "FFF";
  for (int i = 0; i < 10; ++i) AddPicture("p" + std::to_string(i) + ".jpg", "");
  fs.AddFile("other/x.jpg", "");
  engine.SetSourceFolder("src");
  host.onProcessMessages = [&] {
    host.onProcessMessages = nullptr;
    engine.SetSourceFolder("other");
  };
  EXPECT_EQ(engine.Button1Click()->copied, 10);
  EXPECT_EQ(host.label5, "1");
  const auto names = Listing();
  ASSERT_EQ(names.size(), 10u);
  EXPECT_EQ(names.front(), "00.jpg");
  EXPECT_EQ(names.back(), "09.jpg");
}

TEST_F(CopyRunTest, NumberedRunWithDateSkipsUndatedPicturesButKeepsTheirNumbers) {
  host.cb2 = false;
  host.edit1 = "YYYY-FFF";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:08 10:00:00");
  AddPicture("c.jpg", "");
  for (int i = 0; i < 7; ++i) AddPicture("d" + std::to_string(i) + ".jpg", "2004:09:01 10:00:0" + std::to_string(i));
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 9);
  EXPECT_EQ(summary->undated, 1);
  const auto names = Listing();
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 4),
            (std::vector<std::string>{"2004-00.jpg", "2004-01.jpg", "2004-03.jpg", "2004-04.jpg"}));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien enthalten keine oder falsche Exif-Daten:  src/c.jpg"});
  EXPECT_EQ(HighestBarPosition(), 9) << "one short of the 10 found";
}

TEST_F(CopyRunTest, NumberedRunWithoutDateKeepsTimeTokensAsTyped) {
  host.cb2 = false;
  host.edit1 = "Bild HH FFF";
  for (int i = 0; i < 5; ++i) AddPicture(std::string(1, char('a' + i)) + ".jpg", "");
  Run();
  EXPECT_EQ(Listing(), (std::vector<std::string>{"Bild HH 0.jpg", "Bild HH 1.jpg", "Bild HH 2.jpg", "Bild HH 3.jpg",
                                                 "Bild HH 4.jpg"}));
}

TEST_F(CopyRunTest, FolderRunMakesOneFolderPerDateAndCopiesIntoIt) {
  host.edit2 = "YYYY";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.JPEG", "2005:01:02 03:04:05");
  AddPicture("c.jpg", "");
  host.events.clear();
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 2);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"2004", "2005"}));
  EXPECT_EQ(Listing("t/2005"), std::vector<std::string>{"02.01.2005 - 03.04.05.jpg"});
  EXPECT_EQ(Listing("t/2004"), std::vector<std::string>{"07.08.2004 - 16.45.33.jpg"});
  const auto folders = std::find(host.events.begin(), host.events.end(), "icon=2 now");
  ASSERT_NE(folders, host.events.end());
  EXPECT_EQ(*(folders + 1), "status=Ordnerstruktur wird erstellt ...");
  EXPECT_EQ(HighestBarPosition(), 2);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien enthalten keine oder falsche Exif-Daten:  src/c.jpg"});
  ExpectSourcesUntouched();
}

TEST_F(CopyRunTest, DateFolderThatCannotBeMadeStopsTheRunAfterReportingWhatItMet) {
  fs.AddFile("t/2004.08.08", "a file where the folder should go");
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "");
  fs.AddUnreadable("src/broken.jpg", std::errc::no_such_file_or_directory, true);
  AddPicture("c.jpg", "2004:08:08 10:00:00");
  AddPicture("d.jpg", "");
  try {
    Run();
    FAIL() << "the run went on";
  } catch (const ERunError& error) {
    EXPECT_EQ(Slashed(ErrorBoxText(error.what())), "Der Ordner \"t/2004.08.08\" kann nicht erstellt werden: Kein Ordner.");
  }
  const std::vector<std::string> end(host.events.end() - 6, host.events.end());
  EXPECT_EQ(Slashed(end), (std::vector<std::string>{"icon=0 now", "status=0 Dateien kopiert!",
                                           "box=Folgende Dateien enthalten keine oder falsche Exif-Daten:  src/b.jpg",
                                           "records=1", "cursor=default", "bar=0"}))
      << "the picture without a date met before the stop, and the broken link, then the stop";
  EXPECT_EQ(Slashed(host.accounts), (std::vector<std::string>{"folder 2004.08.07", "src/b.jpg  no-usable-date"}));
}

TEST_F(CopyRunTest, LinkAtADateFolderNameStopsTheRunAndNothingLeavesTheTarget) {
  fs.AddFolderLink("t/2004.08.07", "elsewhere");
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  EXPECT_THROW(
      try { Run(); } catch (const ERunError& error) {
        EXPECT_EQ(Slashed(error.what()), "Der Ordner \"t/2004.08.07\" kann nicht erstellt werden: Kein Ordner");
        throw;
      },
      ERunError);
  EXPECT_TRUE(Listing("elsewhere").empty());
}

TEST_F(CopyRunTest, DateFolderReplacedByALinkAfterItWasMadeFailsThatCopyOnly) {
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:08 10:00:00");
  host.onEvent = [this](const std::string& event) {
    if (event == "status=Dateien werden kopiert ...") fs.AddFolderLink("t/2004.08.07", "elsewhere");
  };
  const auto summary = Run();
  EXPECT_EQ(summary->copied, 1);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien konnten nicht kopiert werden:  src/a.jpg"});
  EXPECT_TRUE(Listing("elsewhere").empty());
  EXPECT_EQ(Listing("t/2004.08.08"), std::vector<std::string>{"08.08.2004 - 10.00.00.jpg"});
}

struct TUnkeptAccountCase {
  std::string name;
  std::string target;
  bool dateFolders;
  std::string folder;               // where the second account's copy or folder would be
  std::vector<std::string> listing;  // of that folder after the run
};

const std::vector<TUnkeptAccountCase> kUnkeptAccounts = {
    {"Copy", "t", false, "t", {"07.08.2004 - 16.45.33.jpg"}},
    {"DateFolder", "t", true, "t", {"2004.08.07"}},
    {"FolderOfTheTargetChain", "new/deep", true, "new", {}},
};

class UnkeptAccountTest : public CopyRunTest, public testing::WithParamInterface<TUnkeptAccountCase> {};

// The host keeps the account of the first copy or folder only, as a journal on a full disk: the
// next is taken back and the run stops.
TEST_P(UnkeptAccountTest, TakesBackWhatNoAccountNamesAndStopsTheRun) {
  host.dir2 = GetParam().target;
  host.cb2 = GetParam().dateFolders;
  host.accountRoom = 1;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:08 10:00:00");
  try {
    Run();
    FAIL() << "the run went on";
  } catch (const ERecordingFailed& error) {
    EXPECT_EQ(error.Left(), "") << "everything was taken back";
  }
  EXPECT_EQ(Listing(GetParam().folder), GetParam().listing);
  EXPECT_EQ(host.accounts.size(), 1u);
  EXPECT_FALSE(host.busyCursor);
}

INSTANTIATE_TEST_SUITE_P(Accounts, UnkeptAccountTest, testing::ValuesIn(kUnkeptAccounts), TCaseName());

// A '/' in the folder pattern nests the date folders only where the run chooses so (the command
// line); each level is made in turn and only those the run made are accounted for. In the window it
// stays a name that is no single folder name.
TEST_F(CopyRunTest, SlashInTheFolderPatternNestsOnlyWhenTheRunChoosesSo) {
  host.edit2 = "YYYY/MM";
  fs.AddFolder("t/2004");
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2005:01:02 03:04:05");
  AddPicture("c.jpg", "2004:08:09 10:00:00");
  try {
    EXPECT_FALSE(Run()) << "the window's run went on; only Windows, which refuses '/' in names, refuses it earlier";
  } catch (const ERunError& error) {
    EXPECT_EQ(Slashed(error.what()),
              "Der Ordner \"t/2004/08\" kann nicht erstellt werden: Der Name ist kein einzelner Ordnername");
  }
  EXPECT_EQ(Listing("t/2004"), std::vector<std::string>{});

  TRunChoices nested;
  nested.nestedFolders = true;
  engine.SetRunChoices(nested);
  host.accounts.clear();
  EXPECT_EQ(Run()->copied, 3);
  EXPECT_EQ(Slashed(host.accounts),
            (std::vector<std::string>{"folder 2004/08", "folder 2005", "folder 2005/01",
                                      "src/a.jpg 2004/08/07.08.2004 - 16.45.33.jpg none",
                                      "src/b.jpg 2005/01/02.01.2005 - 03.04.05.jpg none",
                                      "src/c.jpg 2004/08/09.08.2004 - 10.00.00.jpg none"}));
  EXPECT_EQ(Listing("t/2004/08"), (std::vector<std::string>{"07.08.2004 - 16.45.33.jpg", "09.08.2004 - 10.00.00.jpg"}));
}

TEST_F(CopyRunTest, EmptyDateFolderNamePutsThePictureIntoTheTargetItself) {
  host.edit2 = "DD";
  AddPicture("a.jpg", "2003:9:6 08:19:51");
  AddPicture("b.jpg", "2003:09:07 08:19:51");
  // The name's fixed character positions take what the short date holds there: colons, which
  // Windows refuses in a name, so there that picture is not copied.
  const std::string odd = " 0.9:.2003 - :1.:5..jpg";
  const bool refused = IsRefusedName(odd);
  EXPECT_EQ(Run()->copied, refused ? 1 : 2);
  const std::vector<std::string> listed = refused ? std::vector<std::string>{"07"} : std::vector<std::string>{odd, "07"};
  EXPECT_EQ(Listing(), listed);
  EXPECT_EQ(Listing("t/07"), std::vector<std::string>{"07.09.2003 - 08.19.51.jpg"});
}

TEST_F(CopyRunTest, FailedFlushShowsTheReportWithoutClaimingTheCountThenTheError) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "");
  fs.FailFlush(std::errc::io_error);
  try {
    Run();
    FAIL() << "the run reported success";
  } catch (const ERunError& error) {
    EXPECT_STREQ(error.what(), "Die Kopien konnten nicht auf den Datenträger geschrieben werden: Ein-/Ausgabefehler");
  }
  EXPECT_EQ(host.statusText, "Die Kopien sind nicht sicher auf dem Datenträger!");
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Folgende Dateien enthalten keine oder falsche Exif-Daten:  src/b.jpg"});
  EXPECT_FALSE(host.busyCursor);
}

TEST_F(CopyRunTest, MissingTargetIsAnnouncedThenMadeWithItsParents) {
  host.cb2 = false;
  host.dir2 = "new/deep/target";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  Run();
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages[0].kind, TMessageKind::Information);
  EXPECT_EQ(host.messages[0].text,
            "Das Verzeichnis \"new/deep/target\" existiert nicht.\r\nEs wird automatisch erstellt!");
  EXPECT_EQ(Listing("new/deep/target"), std::vector<std::string>{"07.08.2004 - 16.45.33.jpg"});
}

TEST_F(CopyRunTest, TargetEndingInASeparatorStillReceivesTheCopies) {
  host.cb2 = false;
  host.dir2 = "t/";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  EXPECT_EQ(Run()->copied, 1);
  EXPECT_EQ(Listing(), std::vector<std::string>{"07.08.2004 - 16.45.33.jpg"});
}

TEST_F(CopyRunTest, DateTextThatWouldLeaveTheTargetIsAFailedCopy) {
  host.cb2 = false;
  host.edit1 = "YYYYMMDDHHNNSS";
  fs.AddFolder("outside");
  AddPicture("a.jpg", "2004:08:07 ..:/.:./");
  AddPicture("b.jpg", "2004:08:07 10:00:00");
  const auto summary = Run();
  EXPECT_EQ(summary->failed, 1);
  EXPECT_EQ(Listing(), std::vector<std::string>{"20040807100000.jpg"});
  EXPECT_TRUE(Listing("outside").empty());
  EXPECT_EQ(Listing(""), (std::vector<std::string>{"outside", "src", "t"})) << "nothing new beside the target";
}

TEST_F(CopyRunTest, InjectedCopyFailureIsListedAndLeavesNoFile) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  fs.FailCopyTo("t/07.08.2004 - 16.45.33.jpg", std::errc::no_space_on_device);
  EXPECT_EQ(Run()->failed, 1);
  EXPECT_TRUE(Listing().empty());
}

TEST_F(CopyRunTest, RefusedChecksStartNoRun) {
  host.cb2 = false;
  host.edit1 = "Bild";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  EXPECT_FALSE(Run().has_value());
  EXPECT_TRUE(Listing().empty());
  EXPECT_FALSE(std::ranges::count(host.events, "cursor=busy"));
}

// The files of the source that are no JPEG pictures: found once, by the first walk, with the same
// choice of subfolders and without hidden entries; listed after the report and its boxes. The
// file list stays as it was.
struct TOtherFilesCase {
  const char* name;
  bool subfolders;
  TFileList files;
  std::vector<std::string> others;
};

class OtherFilesTest : public CopyRunTest, public testing::WithParamInterface<TOtherFilesCase> {};

TEST_P(OtherFilesTest, AreListedOnceAfterTheReportAndTheFileListStaysAsItWas) {
  host.cb2 = false;
  host.cb1 = GetParam().subfolders;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("s/b.JPEG", "2004:08:07 16:45:34");
  fs.AddFile("src/nodate.jpg", "");
  for (const char* file : {"IMG_1.CR2", "README", "clip.mov", ".hidden.mov", "s/c.heic", "s/.t/d.mov",
                           ".cache/e.mov", "album.cr2/f.xmp", "t2/g.mov"})
    fs.AddFile("src/" + std::string(file), "");
  fs.AddFolder("src/t2");

  host.dir = "src";
  host.dir2 = "";
  ASSERT_FALSE(engine.Button1Click().has_value());
  EXPECT_TRUE(host.shownOthers.empty()) << "a run refused before copying shows nothing of them";

  host.dir2 = "src/t2";  // the target below the source is not entered
  host.events.clear();
  const auto summary = Run();
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(Slashed(engine.FileList()), GetParam().files);
  EXPECT_EQ(summary->others, static_cast<int>(GetParam().others.size()));
  ASSERT_EQ(host.shownOthers.size(), 1u);
  EXPECT_EQ(Slashed(host.shownOthers[0]), GetParam().others);
  EXPECT_EQ(*(host.events.end() - 3), "others=" + std::to_string(GetParam().others.size()))
      << "after the report and its box, before the cursor returns";
  EXPECT_EQ(Slashed(*(host.events.end() - 4)), "box=" + host.GetText("msgNoExif") + " src/nodate.jpg");
}

INSTANTIATE_TEST_SUITE_P(
    Subfolders, OtherFilesTest,
    testing::Values(TOtherFilesCase{"Included",
                                    true,
                                    {"src/a.jpg", "src/nodate.jpg", "src/s/b.JPEG"},
                                    {"src/clip.mov", "src/IMG_1.CR2", "src/README", "src/album.cr2/f.xmp",
                                     "src/s/c.heic"}},
                    TOtherFilesCase{"LeftOut", false, {"src/a.jpg", "src/nodate.jpg"},
                                    {"src/clip.mov", "src/IMG_1.CR2", "src/README"}}),
    TCaseName());

TEST_F(CopyRunTest, EnglishReportTexts) {
  TRecordingHost english("English");
  TSortEngine englishEngine(english, fs, kClock);
  english.cb2 = false;
  english.dir2 = "t";
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:07 16:45:33");
  AddPicture("c.jpg", "");
  englishEngine.SetSourceFolder("src");
  englishEngine.Button1Click();
  ASSERT_EQ(english.messages.size(), 2u);
  EXPECT_EQ(Slashed(english.messages[0].text), "The following files could not be copied:  src/b.jpg");
  EXPECT_EQ(Slashed(english.messages[1].text), "The following files do not contain or wrong Exif data:  src/c.jpg");
  EXPECT_EQ(english.statusText, "Copy files ...");
  fs.AddFile("more/d.jpg", PictureTakenAt("2006:01:01 00:00:00"));
  englishEngine.SetSourceFolder("more");
  englishEngine.Button1Click();
  EXPECT_EQ(english.statusText, "1 files copied!");
}

TEST_F(CopyRunTest, MessagesHandledDuringTheRunCannotChangeIt) {
  host.cb2 = false;
  AddPicture("a.jpg", "2004:08:07 16:45:33");
  AddPicture("b.jpg", "2004:08:07 16:45:34");
  fs.AddFile("other/x.jpg", PictureTakenAt("2010:01:01 00:00:00"));
  engine.SetSourceFolder("src");
  int nestedClicks = 0;
  bool handling = false;
  host.onProcessMessages = [&] {
    // A second click, a keystroke in the source field and a new pattern arrive mid-run (the
    // messages of a nested scan are the same queue, so they are not handled twice).
    if (std::exchange(handling, true)) return;
    nestedClicks += engine.Button1Click().has_value();
    engine.SetSourceFolder(host.dir == "src" ? "other" : "src");
    host.edit1 = "FFF";
    handling = false;
  };
  const auto summary = engine.Button1Click();
  EXPECT_EQ(nestedClicks, 0);
  EXPECT_EQ(summary->copied, 2);
  EXPECT_EQ(Listing(), (std::vector<std::string>{"07.08.2004 - 16.45.33.jpg", "07.08.2004 - 16.45.34.jpg"}));
}

// A run over 50 pictures, flat or into date folders, where each step of `bar` takes
// `stepMilliseconds` of steady time: what it reported, and when it let messages through without
// user input.
struct TPacedRun {
  std::vector<std::string> events;
  std::vector<std::int64_t> yields;
};

TPacedRun RunOverManyPictures(bool dateFolders, std::int64_t stepMilliseconds) {
  TFixedClock clock({2026, 12, 9, 10, 30, 0});
  TMemoryFileSystem fs;
  TRecordingHost host;
  TSortEngine engine(host, fs, clock);
  host.cb2 = dateFolders;
  host.dir2 = "t";
  fs.AddFolder("t");
  for (int i = 10; i < 60; ++i)
    fs.AddFile("src/p" + std::to_string(i) + ".jpg", PictureTakenAt("2004:08:07 16:" + std::to_string(i) + ":00"));
  engine.SetSourceFolder("src");
  host.events.clear();
  TPacedRun run;
  host.onEvent = [&](const std::string& event) {
    if (event.starts_with("bar=") && event != "bar=0") clock.Advance(stepMilliseconds);
    if (event == "process without input") run.yields.push_back(clock.SteadyMilliseconds());
  };
  EXPECT_EQ(engine.Button1Click()->copied, 50);
  run.events = host.events;
  return run;
}

TEST(CopyRunPace, LongRunLetsTheWindowRepaintAboutEveryHundredMillisecondsAndReportsAsBefore) {
  for (const bool dateFolders : {false, true}) {
    SCOPED_TRACE(dateFolders ? "into date folders" : "flat");
    TPacedRun slow = RunOverManyPictures(dateFolders, 30);
    const TPacedRun quick = RunOverManyPictures(dateFolders, 0);
    // 30 ms for each picture copied, and for each picture dated before the date folders are made.
    const std::int64_t duration = (dateFolders ? 2 : 1) * 50 * 30;
    std::int64_t last = 0;
    for (const std::int64_t time : slow.yields) {
      EXPECT_GE(time - last, 100) << "not more often";
      EXPECT_LT(time - last, 130) << "and never more than one picture later";
      last = time;
    }
    EXPECT_LT(duration - last, 130) << "up to the last picture";
    EXPECT_TRUE(quick.yields.empty());
    std::erase(slow.events, "process without input");
    EXPECT_EQ(slow.events, quick.events);
  }
}

struct TSystemErrorCase {
  std::error_code error;
  std::string german;
  std::string english;
};

TEST(SystemErrorTexts, CommonErrorsHaveTextsOfTheirOwnAndOthersThePlatformsMessage) {
  const auto errc = [](std::errc code) { return std::make_error_code(code); };
  const std::error_code busy = errc(std::errc::device_or_resource_busy);
  std::vector<TSystemErrorCase> cases = {
      {errc(std::errc::not_a_directory), "Kein Ordner", "not a folder"},
      {errc(std::errc::permission_denied), "Zugriff verweigert", "access refused"},
      {errc(std::errc::operation_not_permitted), "Zugriff verweigert", "access refused"},
      {errc(std::errc::no_space_on_device), "Kein Speicherplatz mehr frei", "no space left"},
      {errc(std::errc::filename_too_long), "Name oder Pfad zu lang", "name or path too long"},
      {errc(std::errc::read_only_file_system), "Datenträger ist schreibgeschützt", "read-only medium"},
      {errc(std::errc::file_exists), "Name existiert bereits", "the name exists"},
      {errc(std::errc::io_error), "Ein-/Ausgabefehler", "input/output error"},
      {errc(std::errc::no_such_file_or_directory), "Datei oder Ordner nicht vorhanden", "no such file or folder"},
      {errc(std::errc::too_many_links), "Zu viele Verknüpfungen", "too many links"},
      {busy, busy.message(), busy.message()},
  };
  for (const std::error_code& quota : QuotaExceededErrors())
    cases.push_back({quota, "Kontingent überschritten", "quota exceeded"});
  TRecordingHost german("German");
  TRecordingHost english("English");
  for (const TSystemErrorCase& row : cases) {
    EXPECT_EQ(SystemErrorText(row.error, german), row.german) << row.error.message();
    EXPECT_EQ(SystemErrorText(row.error, english), row.english) << row.error.message();
  }
  for (const std::string language : {"French", "Spanish"}) {
    const TRecordingHost host(language);
    for (const TSystemErrorCase& row : cases)
      EXPECT_FALSE(SystemErrorText(row.error, host).empty()) << language << ": " << row.error.message();
  }
}

// A full quota counts as a full medium; the same number in a category of its own is something else.
TEST(CopyFailureReasons, QuotaExceededIsNoSpaceLeft) {
  ASSERT_FALSE(QuotaExceededErrors().empty());
  for (const std::error_code& quota : QuotaExceededErrors()) {
    EXPECT_EQ(CopyFailureReason(quota), TPictureReason::NoSpace) << quota.message();
    EXPECT_EQ(CopyFailureReason(std::error_code(quota.value(), std::iostream_category())), TPictureReason::Other);
  }
}

}  // namespace
}  // namespace kalvero

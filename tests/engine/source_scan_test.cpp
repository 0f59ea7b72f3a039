#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/sort_engine.h"
#include "platform/file_system_wrapper.h"
#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_host.h"
#include "tests/support/slashed_paths.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

TEST(SourceScan, StatusTextsFollowTheLanguage) {
  TMemoryFileSystem fs;
  fs.AddFile("src/a.jpg", "");
  TRecordingHost host("English");
  TSortEngine engine(host, fs, kClock);
  host.dir = "src";
  engine.dirChange();
  EXPECT_EQ(host.statusText, "1 JPEG-Files found in the folder!");
  host.dir = "empty";
  engine.dirChange();
  EXPECT_EQ(host.statusText, "No JPEG-Files were found in the folder!");
}

TEST(SourceScan, EmptyFolderTextSearchesTheCurrentFolder) {
  TMemoryFileSystem fs;
  fs.AddFile("a.jpg", "");
  fs.AddFile("sub/b.jpg", "");
  TRecordingHost host;
  TSortEngine engine(host, fs, kClock);
  engine.dirChange();
  EXPECT_EQ(Slashed(engine.FileList()), (TFileList{"a.jpg", "sub/b.jpg"}));
}

TEST(SourceScan, SettingTheSameSourceFolderStartsNoScan) {
  TMemoryFileSystem fs;
  fs.AddFile("src/a.jpg", "");
  TRecordingHost host;
  TSortEngine engine(host, fs, kClock);
  engine.SetSourceFolder("src");
  EXPECT_EQ(host.label5, "1");
  host.events.clear();
  engine.SetSourceFolder("src");
  EXPECT_TRUE(host.events.empty());
  engine.SetSourceFolder("missing");
  EXPECT_EQ(host.label5, "0");
}

TEST(SourceScan, ScanStartedWhileMessagesAreHandledIsTheOneInForce) {
  TMemoryFileSystem fs;
  fs.AddFile("one/a.jpg", "");
  fs.AddFile("two/b.jpg", "");
  fs.AddFile("two/c.jpg", "");
  TRecordingHost host;
  TSortEngine engine(host, fs, kClock);
  // A keystroke in the source field arrives while the first scan lets messages through.
  host.onProcessMessages = [&] {
    host.onProcessMessages = nullptr;
    engine.SetSourceFolder("two");
  };
  engine.SetSourceFolder("one");
  EXPECT_EQ(Slashed(engine.FileList()), (TFileList{"two/b.jpg", "two/c.jpg"}));
  EXPECT_EQ(host.label5, "2");
}

// The in-memory file system on a slow disk: listing a folder takes `listingMilliseconds` of the
// clock's steady time.
class TSlowListingFileSystem final : public TFileSystemWrapper {
 public:
  TSlowListingFileSystem(TMemoryFileSystem& files, TFixedClock& clock, std::int64_t listingMilliseconds)
      : TFileSystemWrapper(files), clock_(clock), listingMilliseconds_(listingMilliseconds) {}

  std::vector<TFolderEntry> ListFolder(const std::string& folder,
                                       std::vector<TUnreadableEntry>* unreadable = nullptr) const override {
    clock_.Advance(listingMilliseconds_);
    ++listings;
    return Inner().ListFolder(folder, unreadable);
  }

  mutable int listings = 0;

 private:
  TFixedClock& clock_;
  std::int64_t listingMilliseconds_;
};

// A scan of further types takes each extension in its own walk, in the order of the extensions,
// asks each folder once, lists what it cannot examine once, and leaves for the other files only
// what no walk takes.
TEST(SourceScan, FurtherTypesAreWalkedInTheirOrderAndEachFolderIsListedOnce) {
  TMemoryFileSystem files;
  TFixedClock clock({2026, 12, 9, 10, 30, 0});
  TSlowListingFileSystem fs(files, clock, 0);
  for (const char* path : {"src/a.MOV", "src/b.jpg", "src/c.heic", "src/d.xmp", "src/e.CR2", "src/sub/f.jpeg",
                           "src/sub/g.nef", "src/sub/h.thm", "src/sub/i.mp4"})
    files.AddFile(path, "");
  files.AddFolder("src/locked");
  files.FailList("src/locked", std::errc::permission_denied);
  const struct {
    std::string types;
    TFileList found;
    TFileList others;
    int listings;
  } kCases[] = {
      {"jpeg", {"src/b.jpg", "src/sub/f.jpeg"},
       {"src/a.MOV", "src/c.heic", "src/d.xmp", "src/e.CR2", "src/sub/g.nef", "src/sub/h.thm", "src/sub/i.mp4"}, 6},
      {"all",
       {"src/b.jpg", "src/sub/f.jpeg", "src/e.CR2", "src/sub/g.nef", "src/c.heic", "src/a.MOV", "src/sub/i.mp4"},
       {"src/d.xmp", "src/sub/h.thm"}, 3},
      {"video,raw", {"src/e.CR2", "src/sub/g.nef", "src/a.MOV", "src/sub/i.mp4"},
       {"src/b.jpg", "src/c.heic", "src/d.xmp", "src/sub/f.jpeg", "src/sub/h.thm"}, 3},
  };
  for (const auto& [types, found, others, listings] : kCases) {
    TRecordingHost host;
    host.dir2 = "t";
    host.cb2 = false;
    host.edit1 = "FFF";
    TSortEngine engine(host, fs, clock);
    TRunChoices choices;
    choices.types = *FileTypesOf(types);
    engine.SetRunChoices(choices);
    fs.listings = 0;
    engine.SetSourceFolder("src");
    EXPECT_EQ(Slashed(engine.FileList()), found) << types;
    EXPECT_EQ(fs.listings, listings) << types;
    ASSERT_EQ(engine.ScanRecords().size(), 1u) << types;
    engine.Button1Click();
    ASSERT_EQ(host.shownOthers.size(), 1u) << types;
    EXPECT_EQ(Slashed(host.shownOthers.front()), others) << types;
  }
}

// Scans whose walk takes 10 ms per folder listed, so that they let messages through on the way.
// "big" holds a folder that cannot be read and ten folders with two pictures each; "small" one
// picture. The copy target is "t".
class ScanPaceTest : public testing::Test {
 protected:
  static constexpr int kBigPictures = 20;

  ScanPaceTest() {
    fs.AddFolder("big/locked");
    fs.FailList("big/locked", std::errc::permission_denied);
    for (int i = 0; i < kBigPictures; ++i) {
      const std::string second = (i < 10 ? "0" : "") + std::to_string(i);
      fs.AddFile("big/s" + std::to_string(i / 2) + (i % 2 ? "/b.jpeg" : "/a.jpg"),
                 PictureTakenAt("2004:08:07 16:45:" + second));
    }
    fs.AddFile("small/x.jpg", PictureTakenAt("2010:01:01 00:00:00"));
    fs.AddFolder("t");
    host.dir2 = "t";
    host.cb2 = false;
  }

  // Every message processing from now on, with the steady time at which it began.
  void RecordProcessing() {
    host.onProcessMessages = [this] { processed.emplace_back(host.events.back(), clock.SteadyMilliseconds()); };
  }

  TFixedClock clock{{2026, 12, 9, 10, 30, 0}};
  TMemoryFileSystem fs;
  TSlowListingFileSystem slow{fs, clock, 10};
  TRecordingHost host;
  TSortEngine engine{host, slow, clock};
  std::vector<std::pair<std::string, std::int64_t>> processed;
};

TEST_F(ScanPaceTest, TypingScanLetsEverythingThroughAboutEveryFiftyMillisecondsAndReportsAsBefore) {
  RecordProcessing();
  engine.SetSourceFolder("big");
  // Both walks list 12 folders each, 240 ms in all; then the processing after the walk.
  ASSERT_EQ(processed.size(), 5u);
  EXPECT_EQ(processed.back(), std::make_pair(std::string("process"), std::int64_t{240}));
  std::int64_t last = 0;
  for (const auto& [event, time] : std::vector(processed.begin(), processed.end() - 1)) {
    EXPECT_EQ(event, "process") << "with user input, at " << time;
    EXPECT_GE(time - last, 50) << "not more often";
    EXPECT_LE(time - last, 60) << "and no longer than one listing more";
    last = time;
  }

  TRecordingHost quietHost;
  TSortEngine quiet(quietHost, fs, kClock);
  quiet.SetSourceFolder("big");
  EXPECT_EQ(engine.FileList(), quiet.FileList());
  EXPECT_EQ(engine.ScanRecords().size(), 1u);
  std::erase(host.events, "process");
  std::erase(quietHost.events, "process");
  EXPECT_EQ(host.events, quietHost.events);
}

// A keystroke in the source field arrives at the given processing of a scan of "big", after the
// locked folder was recorded.
struct TKeystrokeCase {
  std::string name;
  int yield;
};
const TKeystrokeCase kKeystrokeCases[] = {
    {"DuringTheFirstMasksWalk", 1},
    {"DuringTheSecondMasksWalk", 3},
};

class SupersededScanTest : public ScanPaceTest, public testing::WithParamInterface<TKeystrokeCase> {};

TEST_P(SupersededScanTest, KeystrokeDuringAYieldLeavesOnlyTheNewestScanInForceAndShown) {
  int yields = 0;
  int listingsAtKeystroke = 0;
  host.onProcessMessages = [&] {
    if (++yields != GetParam().yield) return;
    listingsAtKeystroke = slow.listings;
    engine.SetSourceFolder("small");
  };
  engine.SetSourceFolder("big");
  EXPECT_EQ(slow.listings, listingsAtKeystroke + 2) << "the superseded walk listed nothing more";
  EXPECT_EQ(yields, GetParam().yield + 1) << "only the newest scan's processing after the walk followed";
  EXPECT_EQ(Slashed(engine.FileList()), TFileList{"small/x.jpg"});
  EXPECT_TRUE(engine.ScanRecords().empty()) << "the locked folder was found by the superseded scan only";
  std::erase(host.events, "process");
  EXPECT_EQ(host.events, (std::vector<std::string>{"icon=1 now", "status=Ordner werden durchsucht ...",
                                                   "icon=1 now", "status=Ordner werden durchsucht ...", "barMax=1",
                                                   "Label5=1", "Label6=", "status=1 JPEG-Dateien im Ordner gefunden!",
                                                   "icon=0 later"}));
}

INSTANTIATE_TEST_SUITE_P(Keystrokes, SupersededScanTest, testing::ValuesIn(kKeystrokeCases), TCaseName());

TEST_F(ScanPaceTest, ClosingWindowStopsATypingScanAndChangesNothing) {
  engine.SetSourceFolder("small");
  host.events.clear();
  int listingsAtClose = 0;
  host.onProcessMessages = [&] {
    host.closing = true;
    listingsAtClose = slow.listings;
  };
  engine.SetSourceFolder("big");
  EXPECT_EQ(slow.listings, listingsAtClose);
  EXPECT_EQ(host.events, (std::vector<std::string>{"icon=1 now", "status=Ordner werden durchsucht ...", "process"}));
  EXPECT_EQ(Slashed(engine.FileList()), TFileList{"small/x.jpg"});
  EXPECT_TRUE(engine.ScanRecords().empty());
  EXPECT_EQ(host.label5, "1");
}

TEST_F(ScanPaceTest, ClickDuringATypingScanSupersedesItWithTheRunsOwnScan) {
  std::optional<TRunSummary> summary;
  bool clicked = false;
  host.onProcessMessages = [&] {
    if (!std::exchange(clicked, true)) summary = engine.Button1Click();
  };
  engine.SetSourceFolder("big");
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->copied, kBigPictures);
  EXPECT_EQ(summary->notExamined, 1);
  EXPECT_EQ(engine.FileList().size(), static_cast<std::size_t>(kBigPictures));
  EXPECT_EQ(host.label5, "20");
  EXPECT_EQ(host.events.back(), "bar=0") << "the run's report is the last thing shown";
}

TEST_F(ScanPaceTest, RunsOwnScanLetsNoUserInputThroughAndCompletesWhileClosingAndTyping) {
  engine.SetSourceFolder("big");
  RecordProcessing();
  host.onProcessMessages = [this, record = host.onProcessMessages] {
    record();
    // Only a faulty window could start a scan here; the run's list must stay whole all the same.
    host.closing = true;
    if (host.dir == "big") engine.SetSourceFolder("small");
  };
  const auto summary = engine.Button1Click();
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->copied, kBigPictures);
  EXPECT_EQ(summary->notExamined, 1);
  std::vector<std::string> events;
  for (const auto& [event, time] : processed) events.push_back(event);
  // The four yields of the run's walks, the scan started in the first with its processing after
  // its walk, then the run's processing after its scan and as the copying begins.
  EXPECT_EQ(events, (std::vector<std::string>{"process without input", "process", "process without input",
                                              "process without input", "process without input", "process",
                                              "process"}));
  EXPECT_EQ(Slashed(engine.FileList()), TFileList{"small/x.jpg"}) << "the newest scan's list is in force";
}

// What a scan could not examine, over the in-memory file system.
class ScanRecordTest : public testing::Test {
 protected:
  std::vector<std::string> Records() {
    std::vector<std::string> lines;
    for (const TScanRecord& record : engine.ScanRecords())
      lines.push_back(Slashed(record.path) + ": " + ScanReasonText(record, host));
    return lines;
  }

  TMemoryFileSystem fs;
  TRecordingHost host{"English"};
  TSortEngine engine{host, fs, kClock};
};

TEST_F(ScanRecordTest, EachEntryThatCouldNotBeExaminedOnceInWalkOrder) {
  fs.AddFile("src/a.jpg", "");
  fs.AddFile("src/locked/x.jpg", "");
  fs.FailList("src/locked", std::errc::permission_denied);
  fs.AddFolder("src/deep/deeper");
  fs.AddFile("src/deep/deeper/y.jpg", "");
  fs.FailList("src/deep/deeper", std::errc::filename_too_long);
  fs.AddUnreadable("src/broken.jpg", std::errc::no_such_file_or_directory, true);
  fs.AddUnreadable("src/loop.JPEG", std::errc::too_many_symbolic_link_levels, true);
  fs.AddUnreadable("src/failing", std::errc::io_error);
  fs.AddUnreadable("src/busy", std::errc::too_many_files_open);
  // Not findings: a link to nowhere that stands for no picture, and an entry that vanished.
  fs.AddUnreadable("src/notes.txt", std::errc::no_such_file_or_directory, true);
  fs.AddUnreadable("src/gone.jpg", std::errc::no_such_file_or_directory);
  engine.SetSourceFolder("src");
  EXPECT_EQ(Slashed(engine.FileList()), std::vector<std::string>{"src/a.jpg"}) << "a folder too long to reach is not entered";
  EXPECT_EQ(Records(), (std::vector<std::string>{"src/broken.jpg: broken link", "src/busy: too many open files",
                                                 "src/failing: input/output error", "src/loop.JPEG: link loop",
                                                 "src/deep/deeper: name or path too long",
                                                 "src/locked: access refused"}));
}

TEST_F(ScanRecordTest, MissingSourceFolderIsNoFindingButAnUnreadableOneIs) {
  engine.SetSourceFolder("nowhere");
  EXPECT_TRUE(engine.ScanRecords().empty());
  fs.AddFolder("private");
  fs.FailList("private", std::errc::permission_denied);
  engine.SetSourceFolder("private");
  EXPECT_EQ(Records(), std::vector<std::string>{"private: access refused"});
}

TEST_F(ScanRecordTest, ARunListsThemAfterItsReportAndARefusalForWantOfPictures) {
  host.cb2 = false;
  host.dir2 = "t";
  fs.AddFolder("src/locked");
  fs.FailList("src/locked", std::errc::permission_denied);
  engine.SetSourceFolder("src");
  EXPECT_FALSE(engine.Button1Click().has_value());
  ASSERT_EQ(host.shownRecords.size(), 1u) << "the records follow the refusal";
  EXPECT_EQ(host.events.back(), "records=1");

  fs.AddFile("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  engine.dirChange();
  host.events.clear();
  const auto summary = engine.Button1Click();
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->notExamined, 1);
  EXPECT_EQ(host.shownRecords.size(), 2u);
  EXPECT_EQ(host.events.back(), "bar=0");
  EXPECT_EQ(*(host.events.end() - 3), "records=1") << "after the report, before the cursor returns";
}

TEST_F(ScanRecordTest, TargetBelowTheSourceIsLeftOutButTheSourceItselfIsAlwaysScanned) {
  fs.AddFile("src/a.jpg", "");
  fs.AddFile("src/sorted/2004/copy.jpg", "");
  fs.AddFolderLink("src/link-to-sorted", "src/sorted");
  host.dir2 = "src/sorted";
  engine.SetSourceFolder("src");
  EXPECT_EQ(Slashed(engine.FileList()), std::vector<std::string>{"src/a.jpg"});
  host.dir2 = "src";
  engine.dirChange();
  EXPECT_EQ(engine.FileList().size(), 2u) << "a target equal to the source is scanned as before";
}

}  // namespace
}  // namespace kalvero

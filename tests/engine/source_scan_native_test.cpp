// The scan of real folder trees through the native file system: links, FIFOs, hidden entries.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/sort_engine.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

// A scan of a real folder tree through the native file system.
class SourceScanTest : public testing::Test {
 protected:
  // The file list of a scan of `folder`, as paths relative to the temporary folder.
  std::vector<std::string> Scan(const std::string& folder, bool includeSubfolders = true) {
    host.dir = folder;
    host.cb1 = includeSubfolders;
    engine.dirChange();
    std::vector<std::string> relative;
    for (const std::string& path : engine.FileList()) relative.push_back(path.substr(temp.Path().size() + 1));
    return relative;
  }

  TTempFolder temp;
  TRecordingHost host{"German"};
  TSortEngine engine{host, NativeFileSystem(), kClock};
};

TEST_F(SourceScanTest, OwnFilesFirstThenSubfoldersThenTheSecondMask) {
  for (const char* file : {"a.jpg", "b.jpeg", "s/c.JPG", "s/t/d.jpg", "s/e.jpeg", "r/f.jpg"}) temp.Write(file);
  EXPECT_EQ(Scan(temp.Path()),
            (std::vector<std::string>{"a.jpg", "r/f.jpg", "s/c.JPG", "s/t/d.jpg", "b.jpeg", "s/e.jpeg"}));
  EXPECT_EQ(host.label5, "6");
}

TEST_F(SourceScanTest, WithoutSubfoldersOnlyTheFolderItself) {
  for (const char* file : {"a.jpg", "b.jpeg", "s/c.JPG"}) temp.Write(file);
  EXPECT_EQ(Scan(temp.Path(), false), (std::vector<std::string>{"a.jpg", "b.jpeg"}));
  EXPECT_EQ(host.label5, "2");
}

TEST_F(SourceScanTest, MasksIgnoreLetterCaseAndTakeOnlyTheirExtension) {
  for (const char* file : {"A.JPG", "b.Jpeg", "c.jpe", "d.jpg.txt", "e.png", "f.jpgx"}) temp.Write(file);
  EXPECT_EQ(Scan(temp.Path()), (std::vector<std::string>{"A.JPG", "b.Jpeg"}));
}

TEST_F(SourceScanTest, HiddenFilesAreListedButHiddenFoldersNotEntered) {
  for (const char* file : {".h.jpg", "v.jpg", ".cache/x.jpg", "s/.y.jpg"}) temp.Write(file);
  EXPECT_EQ(Scan(temp.Path()), (std::vector<std::string>{".h.jpg", "v.jpg", "s/.y.jpg"}));
}

TEST_F(SourceScanTest, FoldersNamedLikePicturesAndSpecialFilesAreNoFiles) {
  temp.MakeFolder("album.jpg");
  temp.Write("album.jpg/inner.jpg");
  ASSERT_EQ(::mkfifo((temp / "pipe.jpg").c_str(), 0600), 0);
  EXPECT_EQ(Scan(temp.Path()), (std::vector<std::string>{"album.jpg/inner.jpg"}));
}

TEST_F(SourceScanTest, TrailingSeparatorGivesTheSameEntries) {
  for (const char* file : {"a.jpg", "s/c.jpg"}) temp.Write(file);
  EXPECT_EQ(Scan(temp.Path() + "/"), Scan(temp.Path()));
  EXPECT_EQ(engine.FileList().front(), temp / "a.jpg");
}

TEST_F(SourceScanTest, LinkedFoldersAreEnteredOnceAndLoopsEnd) {
  temp.Write("a/x.jpg");
  std::filesystem::create_directory_symlink(temp.Path(), temp / "a/up");
  std::filesystem::create_directory_symlink(temp / "a", temp / "b");
  EXPECT_EQ(Scan(temp.Path()), (std::vector<std::string>{"a/x.jpg"}));
}

TEST_F(SourceScanTest, MissingFolderFindsNothingAndKeepsTheBarRange) {
  host.barMax = 77;
  EXPECT_TRUE(Scan(temp / "does-not-exist").empty());
  EXPECT_EQ(host.label5, "0");
  EXPECT_EQ(host.label6, "");
  EXPECT_EQ(host.barMax, 77);
  EXPECT_EQ(host.statusText, "Keine JPEG-Dateien im Ordner gefunden!");
}

TEST_F(SourceScanTest, ReportsEveryStepInOrder) {
  temp.Write("a.jpg");
  temp.Write("b.jpg");
  host.label6 = "12";
  Scan(temp.Path());
  EXPECT_EQ(host.events, (std::vector<std::string>{"icon=1 now", "status=Ordner werden durchsucht ...", "process",
                                                   "barMax=2", "Label5=2", "Label6=",
                                                   "status=2 JPEG-Dateien im Ordner gefunden!", "icon=0 later"}));
}

}  // namespace
}  // namespace kalvero

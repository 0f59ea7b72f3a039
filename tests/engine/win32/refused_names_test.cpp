// Names that Windows refuses: a pattern that makes one is refused before a run, and a copy whose
// name a date text made into one fails with its own reason.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sort_engine.h"
#include "localisation/program_texts.h"
#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/recording_host.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

struct TPatternCase {
  std::string name;
  std::string filePattern;
  std::string folderPattern;
  bool dateFolders;
  std::string label5;
  std::string refused;  // the sample name shown, or empty when the patterns pass
};

const std::vector<TPatternCase> kPatternCases = {
    {"DeviceBeforeTheFirstDot", "CON.HHNNSS", "YYYY", false, "5", "CON.164533.jpg"},
    {"DeviceInAnyCase", "aux.DD.MM.YYYY FFF", "YYYY", false, "5", "aux.07.08.2004 1.jpg"},
    {"NumberMakesAPort", "COMFFF", "YYYY", false, "5", "COM1.jpg"},
    {"WiderNumberMakesNoPort", "COMFFF", "YYYY", false, "12", ""},
    {"DeviceOnlyAsTheWholeBase", "CONSOLE HHNNSS", "YYYY", true, "5", ""},
    {"FolderWithTrailingDot", "HHNNSS", "YYYY.MM.", true, "5", "2004.08."},
    {"FolderWithTrailingBlank", "HHNNSS", "YYYY ", true, "5", "2004 "},
    {"DeviceFolderWithExtension", "HHNNSS", "NUL.YYYY-MM-DD", true, "5", "NUL.2004-08-07"},
    {"FolderPatternUnusedWithoutDateFolders", "DD.MM.YYYY HHNNSS", "NUL.YYYY", false, "5", ""},
    {"OrdinaryPatternsPass", "DD.MM.YYYY - HH.NN.SS", "YYYY.MM.DD", true, "5", ""},
};

class RefusedPatternTest : public testing::TestWithParam<TPatternCase> {};

TEST_P(RefusedPatternTest, IsRefusedBeforeARun) {
  const TPatternCase& c = GetParam();
  TRecordingHost host("English");
  host.dir = "s";
  host.dir2 = "t";
  host.edit2 = c.folderPattern;
  host.cb2 = c.dateFolders;
  host.label5 = c.label5;
  TMemoryFileSystem fileSystem;
  TSortEngine engine(host, fileSystem, kClock);
  EXPECT_EQ(engine.CheckInput(c.filePattern), c.refused.empty());
  if (c.refused.empty()) return;
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, ProgramText("English", "msgRefusedPattern") + c.refused);
  EXPECT_EQ(host.messages[0].kind, TMessageKind::Error);
}

INSTANTIATE_TEST_SUITE_P(Patterns, RefusedPatternTest, testing::ValuesIn(kPatternCases), TCaseName());

TEST(RefusedName, CopyWhoseDateMakesOneFailsWithItsReason) {
  TRecordingHost host("English");
  host.dir2 = "t";
  host.cb2 = false;
  host.edit1 = "DD.MM.YYYY - HH.NN.SS";
  TMemoryFileSystem fileSystem;
  fileSystem.AddFolder("t");
  // The date is valid; the time's characters go into the name as they are.
  fileSystem.AddFile("src/a.jpg", PictureTakenAt("2004:08:07 16:4?:33"), 0);
  fileSystem.AddFile("src/b.jpg", PictureTakenAt("2004:08:07 16:45:33"), 0);
  TSortEngine engine(host, fileSystem, kClock);
  engine.SetSourceFolder("src");
  const auto summary = engine.Button1Click();
  ASSERT_TRUE(summary.has_value());
  EXPECT_EQ(summary->copied, 1);
  EXPECT_EQ(summary->failed, 1);
  EXPECT_EQ(host.accounts, (std::vector<std::string>{"src\\a.jpg 07.08.2004 - 16.4?.33.jpg refused-name",
                                                     "src\\b.jpg 07.08.2004 - 16.45.33.jpg none"}));
  EXPECT_FALSE(fileSystem.FileContent("t/07.08.2004 - 16.4?.33.jpg").has_value());
}

}  // namespace
}  // namespace kalvero

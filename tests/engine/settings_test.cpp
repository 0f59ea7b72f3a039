#include "engine/settings.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/sort_engine.h"
#include "platform/memory_file_system.h"
#include "tests/support/case_name.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/fixed_environment.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

const TFixedClock kClock({2026, 12, 9, 10, 30, 0});

// A program start and close over a real temporary application-data folder.
class SettingsTest : public testing::Test {
 protected:
  std::string SettingsFolder() const { return appData / "Vandrel/Kalvero"; }
  std::string SettingsFile() const { return appData / "Vandrel/Kalvero/kalvero.ini"; }
  void WriteSettings(const std::string& content) const { appData.Write("Vandrel/Kalvero/kalvero.ini", content); }

  TTempFolder appData;
  TFixedEnvironment environment{{{"KALVERO_APPDATA", appData.Path()}}};
  TRecordingHost host{"German"};
  TSortEngine engine{host, NativeFileSystem(), kClock};
};

TEST_F(SettingsTest, FirstStartWritesTheDefaultFileAndAppliesIt) {
  host.cb1 = host.cb2 = false;
  engine.LoadSettings(environment);
  EXPECT_EQ(FileBytes(SettingsFile()),
            "[pref]\r\nlng=English\r\nsource=\r\ntarget=\r\ncb1=1\r\ncb2=1\r\nfolder=YYYY.MM.DD\r\n"
            "file=DD.MM.YYYY - HH.NN.SS\r\n");
  EXPECT_EQ(host.Language(), "English");
  EXPECT_TRUE(host.cb1);
  EXPECT_TRUE(host.cb2);
  EXPECT_EQ(host.dir, "");
  EXPECT_EQ(host.edit2, "YYYY.MM.DD");
  EXPECT_EQ(host.label9, "2004.08.07 / 07.08.2004 - 16.45.33.jpg");
  EXPECT_EQ(host.events, std::vector<std::string>{"language=English"}) << "no scan for an empty folder";
}

TEST_F(SettingsTest, FolderWithoutFileWritesNothingAtStartButAtClose) {
  appData.MakeFolder("Vandrel/Kalvero");
  engine.LoadSettings(environment);
  EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
  EXPECT_EQ(host.Language(), "English");
  host.dir2 = "/ziel";
  EXPECT_FALSE(engine.SaveSettings(environment));
  EXPECT_EQ(FileBytes(SettingsFile()),
            "[pref]\r\nlng=English\r\nsource=\r\ntarget=/ziel\r\ncb1=1\r\ncb2=1\r\nfolder=YYYY.MM.DD\r\n"
            "file=DD.MM.YYYY - HH.NN.SS\r\n");
}

TEST_F(SettingsTest, StoredSourceFolderIsScannedInTheStoredLanguage) {
  const TTempFolder pictures;
  pictures.Write("a.jpg");
  WriteSettings("[pref]\r\nlng=French\r\nsource=" + pictures.Path() + "\r\n");
  engine.LoadSettings(environment);
  EXPECT_EQ(host.label5, "1");
  EXPECT_EQ(host.events.front(), "language=French");
  EXPECT_EQ(host.statusText, "1 JPEG-Dossiers ont trouv\xC3\xA9 dans la chemise !");
}

struct TBooleanCase {
  std::string name, line;
  bool cb1, cb2;
};

const std::vector<TBooleanCase> kBooleanCases = {
    {"ZeroAndHexOne", "cb1=0\r\ncb2=0x1", false, true},
    {"WordIsNoInteger", "cb1=0\r\ncb2=yes", false, true},
    {"DollarHexZero", "cb1=$0\r\ncb2=$10", false, true},
    {"MinusOneIsTrue", "cb1=-1\r\ncb2=+0", true, false},
    {"EmptyValueIsNoInteger", "cb1=\r\ncb2=0", true, false},
    {"BlanksAroundAreRemoved", "cb1=  0  \r\ncb2= 0X0 ", false, false},
    {"TooLargeIsNoInteger", "cb1=99999999999\r\ncb2=0", true, false},
    {"TrailingTextIsNoInteger", "cb1=0x\r\ncb2=0 0", true, true},
    {"KeysInOtherLetterCase", "CB1=0\r\nCb2=0", false, false},
};

class StoredBooleanTest : public SettingsTest, public testing::WithParamInterface<TBooleanCase> {};

TEST_P(StoredBooleanTest, ReadsIntegersWithSignAndHexadecimal) {
  WriteSettings("[PREF]\r\n" + GetParam().line + "\r\n");
  engine.LoadSettings(environment);
  EXPECT_EQ(host.cb1, GetParam().cb1);
  EXPECT_EQ(host.cb2, GetParam().cb2);
}

INSTANTIATE_TEST_SUITE_P(Booleans, StoredBooleanTest, testing::ValuesIn(kBooleanCases), TCaseName());

TEST_F(SettingsTest, LongValueComesBackCutTo2047Bytes) {
  WriteSettings("[pref]\r\nsource=/" + std::string(2999, 'x') + "\r\n");
  engine.LoadSettings(environment);
  EXPECT_EQ(host.dir.size(), 2047u);
}

TEST_F(SettingsTest, SaveKeepsOtherLinesAndWritesEveryKey) {
  WriteSettings("; Kalvero\r\n[other]\r\nx=1\r\n[Pref]\r\nLNG=Klingon\r\nFile=FFF\r\n\r\n[last]\r\ny=2\r\n");
  engine.LoadSettings(environment);
  EXPECT_EQ(host.Language(), "Klingon") << "an unknown language is passed on unchecked";
  EXPECT_EQ(host.edit1, "FFF");
  host.edit2 = "DDMMYYYY";
  EXPECT_FALSE(engine.SaveSettings(environment));
  EXPECT_EQ(FileBytes(SettingsFile()),
            "; Kalvero\r\n[other]\r\nx=1\r\n[Pref]\r\nLNG=Klingon\r\nFile=FFF\r\nsource=\r\ntarget=\r\n"
            "cb1=1\r\ncb2=1\r\nfolder=DDMMYYYY\r\n\r\n[last]\r\ny=2\r\n");
}

TEST_F(SettingsTest, FoldersWithBlanksOrQuotesAtTheirEndsComeBackUnchanged) {
  appData.MakeFolder("Vandrel/Kalvero");
  for (const std::string folder : {" /fotos ", "\"quoted\"", "'single'", "plain \"inner\" quotes"}) {
    host.dir2 = folder;
    ASSERT_FALSE(engine.SaveSettings(environment));
    host.dir2.clear();
    engine.LoadSettings(environment);
    EXPECT_EQ(host.dir2, folder);
  }
}

TEST_F(SettingsTest, KeyThatCannotBeStoredKeepsItsValueAndTheOthersAreSaved) {
  WriteSettings("[pref]\r\ntarget=/old\r\n");
  host.dir2 = "/new\nline";
  host.edit1 = "FFF";
  EXPECT_TRUE(engine.SaveSettings(environment));
  const std::string content = FileBytes(SettingsFile());
  EXPECT_NE(content.find("target=/old\r\n"), std::string::npos);
  EXPECT_NE(content.find("file=FFF\r\n"), std::string::npos);
}

TEST(Settings, NoApplicationDataFolderMeansNothingReadOrWritten) {
  TMemoryFileSystem fs;
  TRecordingHost host;
  TSortEngine engine(host, fs, kClock);
  const TFixedEnvironment nothing(std::map<std::string, std::string>{{"XDG_CONFIG_HOME", "relative/path"}});
  host.cb2 = false;
  engine.LoadSettings(nothing);
  EXPECT_TRUE(host.cb2);
  EXPECT_EQ(host.Language(), "English");
  EXPECT_FALSE(engine.SaveSettings(nothing));
  EXPECT_TRUE(fs.ListFolder("").empty());
}

TEST(Settings, FailedWriteAtCloseChangesNothingOnDisk) {
  TMemoryFileSystem fs;
  fs.AddFile("config/Vandrel/Kalvero/kalvero.ini", "[pref]\r\nlng=German\r\n");
  fs.FailReplace("config/Vandrel/Kalvero/kalvero.ini", std::errc::no_space_on_device);
  TRecordingHost host;
  TSortEngine engine(host, fs, kClock);
  const TFixedEnvironment environment(std::map<std::string, std::string>{{"XDG_CONFIG_HOME", "/config"}});
  EXPECT_EQ(engine.SaveSettings(environment), std::errc::no_space_on_device);
  EXPECT_EQ(fs.FileContent("config/Vandrel/Kalvero/kalvero.ini"), "[pref]\r\nlng=German\r\n");
}

TEST(ParseIniInteger, AcceptsSignedDecimalAndTwoHexPrefixes) {
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger("-2147483648"), -2147483648L);
  EXPECT_EQ(ParseIniInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("0x7f"), 127);
  EXPECT_EQ(ParseIniInteger("-$10"), -16);
  for (const char* invalid : {"", "-", "$", "0x", "1.5", "x10", "--1", "1e3", "0b1"})
    EXPECT_EQ(ParseIniInteger(invalid), std::nullopt) << invalid;
}

}  // namespace
}  // namespace kalvero

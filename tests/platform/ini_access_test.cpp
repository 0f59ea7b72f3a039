#include "platform/ini_access.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/memory_file_system.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::ranges::sort(names);
  return names;
}

mode_t Mode(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

const TIniEntry kTwoKeys[] = {{"lng", "German"}, {"cb1", "0"}};

TEST(IniAccess, WritesANewFileAndReadsItBack) {
  TTempFolder temp;
  const std::string file = temp / "kalvero.ini";
  EXPECT_EQ(ReadIniValue(NativeFileSystem(), file, "pref", "lng", "English"), "English");
  EXPECT_FALSE(WriteIniValue(NativeFileSystem(), file, "pref", "lng", "German"));
  EXPECT_EQ(FileBytes(file), "[pref]\r\nlng=German\r\n");
  EXPECT_EQ(ReadIniValue(NativeFileSystem(), file, "PREF", "LNG", "English"), "German");
  EXPECT_EQ(Names(temp.Path()), std::vector<std::string>{"kalvero.ini"});
}

TEST(IniAccess, ReplacementKeepsModeAndLeavesNoOtherFile) {
  TTempFolder temp;
  const std::string file = temp.Write("kalvero.ini", "; mine\n[pref]\nlng=French\n");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  EXPECT_FALSE(WriteIniValues(NativeFileSystem(), file, "pref", kTwoKeys));
  EXPECT_EQ(FileBytes(file), "; mine\n[pref]\nlng=German\r\ncb1=0\r\n");
  EXPECT_EQ(Mode(file), 0640u);
  EXPECT_EQ(Names(temp.Path()), std::vector<std::string>{"kalvero.ini"});
}

TEST(IniAccess, LinkStaysALinkAndItsTargetChanges) {
  TTempFolder temp;
  const std::string target = temp.Write("real/kalvero.ini", "[pref]\r\nlng=French\r\n");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  temp.MakeFolder("config");
  std::filesystem::create_symlink("../real/kalvero.ini", temp / "config/kalvero.ini");

  EXPECT_FALSE(WriteIniValue(NativeFileSystem(), temp / "config/kalvero.ini", "pref", "lng", "German"));
  EXPECT_TRUE(std::filesystem::is_symlink(temp / "config/kalvero.ini"));
  EXPECT_EQ(FileBytes(target), "[pref]\r\nlng=German\r\n");
  EXPECT_EQ(Mode(target), 0600u);
  EXPECT_EQ(Names(temp / "config"), std::vector<std::string>{"kalvero.ini"});
  EXPECT_EQ(Names(temp / "real"), std::vector<std::string>{"kalvero.ini"});
}

TEST(IniAccess, RefusesReadOnlyFileAndLinkToNothing) {
  TTempFolder temp;
  const std::string file = temp.Write("kalvero.ini", "[pref]\r\nlng=French\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_EQ(WriteIniValue(NativeFileSystem(), file, "pref", "lng", "German"), std::errc::permission_denied);
  EXPECT_EQ(FileBytes(file), "[pref]\r\nlng=French\r\n");

  std::filesystem::create_symlink(temp / "missing.ini", temp / "dangling.ini");
  EXPECT_TRUE(WriteIniValue(NativeFileSystem(), temp / "dangling.ini", "pref", "lng", "German"));
  EXPECT_EQ(Names(temp.Path()), (std::vector<std::string>{"dangling.ini", "kalvero.ini"}));
}

TEST(IniAccess, MissingFolderFailsAndCreatesNothing) {
  TTempFolder temp;
  EXPECT_EQ(WriteIniValue(NativeFileSystem(), temp / "Vandrel/Kalvero/kalvero.ini", "pref", "lng", "German"),
            std::errc::no_such_file_or_directory);
  EXPECT_TRUE(Names(temp.Path()).empty());
}

TEST(IniAccess, FolderInPlaceOfTheFileIsNeitherReadNorReplaced) {
  TTempFolder temp;
  const std::string folder = temp.MakeFolder("kalvero.ini");
  std::error_code error;
  LoadIniFile(NativeFileSystem(), folder, error);
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_EQ(WriteIniValue(NativeFileSystem(), folder, "pref", "lng", "German"), std::errc::is_a_directory);
}

TEST(IniAccess, UnreadableFileGivesDefaultsAndIsNeverWrittenOver) {
  TMemoryFileSystem fs;
  fs.AddFile("c/kalvero.ini", "[pref]\r\nlng=French\r\n");
  fs.FailOpen("c/kalvero.ini", std::errc::io_error);
  EXPECT_EQ(ReadIniValue(fs, "c/kalvero.ini", "pref", "lng", "English"), "English");
  EXPECT_EQ(WriteIniValues(fs, "c/kalvero.ini", "pref", kTwoKeys), std::errc::io_error);
  EXPECT_EQ(fs.FileContent("c/kalvero.ini"), "[pref]\r\nlng=French\r\n");
}

TEST(IniAccess, OversizedFileGivesDefaultsAndIsNeverWrittenOver) {
  TMemoryFileSystem fs;
  const std::string big = "[pref]\r\nlng=French\r\n" + std::string(kMaxIniFileSize, ';');
  fs.AddFile("kalvero.ini", big);
  EXPECT_EQ(ReadIniValue(fs, "kalvero.ini", "pref", "lng", "English"), "English");
  EXPECT_EQ(WriteIniValue(fs, "kalvero.ini", "pref", "lng", "German"), std::errc::file_too_large);
  EXPECT_EQ(fs.FileContent("kalvero.ini"), big);
}

TEST(IniAccess, FailedReplacementLeavesTheOldContent) {
  TMemoryFileSystem fs;
  fs.AddFile("kalvero.ini", "[pref]\r\nlng=French\r\n");
  fs.FailReplace("kalvero.ini", std::errc::no_space_on_device);
  EXPECT_EQ(WriteIniValues(fs, "kalvero.ini", "pref", kTwoKeys), std::errc::no_space_on_device);
  EXPECT_EQ(fs.FileContent("kalvero.ini"), "[pref]\r\nlng=French\r\n");

  fs.MakeReadOnly("kalvero.ini");
  EXPECT_EQ(WriteIniValue(fs, "kalvero.ini", "pref", "lng", "German"), std::errc::permission_denied);
  fs.FailReplace("new.ini", std::errc::no_space_on_device);
  EXPECT_TRUE(WriteIniValue(fs, "new.ini", "pref", "lng", "German"));
  EXPECT_FALSE(fs.FileContent("new.ini").has_value()) << "a failed first write leaves no file";
}

TEST(IniAccess, OneBadEntryWritesNothing) {
  TMemoryFileSystem fs;
  fs.AddFile("kalvero.ini", "[pref]\r\nlng=French\r\n");
  const TIniEntry entries[] = {{"lng", "German"}, {"source", "/a\nlng=Spanish"}};
  EXPECT_EQ(WriteIniValues(fs, "kalvero.ini", "pref", entries), std::errc::invalid_argument);
  EXPECT_EQ(fs.FileContent("kalvero.ini"), "[pref]\r\nlng=French\r\n");
}

}  // namespace
}  // namespace kalvero

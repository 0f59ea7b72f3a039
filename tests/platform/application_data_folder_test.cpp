#include "platform/application_data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "tests/support/case_name.h"
#include "tests/support/fixed_environment.h"

namespace kalvero {
namespace {

struct TFolderCase {
  std::string name;
  std::map<std::string, std::string> variables;
  std::optional<std::string> expected;
};

const std::vector<TFolderCase> kFolderCases = {
    {"OverrideFirst", {{"KALVERO_APPDATA", "/portable"}, {"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/portable"},
    {"OverrideAsTypedWithoutHome", {{"KALVERO_APPDATA", "/portable/"}}, "/portable/"},
    {"RelativeOverrideIgnored", {{"KALVERO_APPDATA", "portable"}, {"XDG_CONFIG_HOME", "/cfg"}}, "/cfg"},
    {"EmptyOverrideIgnored", {{"KALVERO_APPDATA", ""}, {"HOME", "/home/u"}}, "/home/u/.config"},
    {"ConfigHomeFirst", {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/cfg"},
    {"ConfigHomeAsTyped", {{"XDG_CONFIG_HOME", "/cfg/"}}, "/cfg/"},
    {"HomeWithoutConfigHome", {{"HOME", "/home/u"}}, "/home/u/.config"},
    {"HomeWithTrailingSeparator", {{"HOME", "/home/u/"}}, "/home/u/.config"},
    {"HomeIsRoot", {{"HOME", "/"}}, "/.config"},
    {"EmptyConfigHomeIgnored", {{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.config"},
    {"RelativeConfigHomeIgnored", {{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, "/home/u/.config"},
    {"RelativeHomeIsNone", {{"HOME", "home/u"}}, std::nullopt},
    {"EmptyHomeIsNone", {{"HOME", ""}, {"XDG_CONFIG_HOME", "./cfg"}}, std::nullopt},
    {"NeitherIsNone", {}, std::nullopt},
};

class ApplicationDataFolderTest : public testing::TestWithParam<TFolderCase> {};

TEST_P(ApplicationDataFolderTest, FollowsTheEnvironment) {
  EXPECT_EQ(ApplicationDataFolder(TFixedEnvironment(GetParam().variables)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Variables, ApplicationDataFolderTest, testing::ValuesIn(kFolderCases), TCaseName());

TEST(SettingsLocation, LiesBelowTheApplicationDataFolder) {
  using TVariables = std::map<std::string, std::string>;
  const TFixedEnvironment slashed(TVariables{{"XDG_CONFIG_HOME", "/cfg/"}});
  EXPECT_EQ(SettingsFolder(slashed), "/cfg/Vandrel/Kalvero");
  EXPECT_EQ(SettingsFilePath(slashed), "/cfg/Vandrel/Kalvero/kalvero.ini");
  const TFixedEnvironment home(TVariables{{"HOME", "/home/u"}});
  EXPECT_EQ(SettingsFilePath(home), "/home/u/.config/Vandrel/Kalvero/kalvero.ini");
  const TFixedEnvironment none(TVariables{});
  EXPECT_EQ(SettingsFolder(none), std::nullopt);
  EXPECT_EQ(SettingsFilePath(none), std::nullopt);
}

struct THomeCase {
  std::string name;
  std::string typed;
  std::optional<std::string> home;
  std::string expected;
};

const std::vector<THomeCase> kHomeCases = {
    {"TildeAloneIsHome", "~", "/home/u", "/home/u"},
    {"TildeAndSeparatorStartsInHome", "~/Sorted", "/home/u", "/home/u/Sorted"},
    {"HomeWithTrailingSeparator", "~/Sorted", "/home/u/", "/home/u/Sorted"},
    {"HomeIsRoot", "~/Sorted", "/", "/Sorted"},
    {"AnotherUsersTildeAsTyped", "~anna/Sorted", "/home/u", "~anna/Sorted"},
    {"TildeInsideAsTyped", "/media/~/Sorted", "/home/u", "/media/~/Sorted"},
    {"RelativeHomeLeavesItAsTyped", "~/Sorted", "home/u", "~/Sorted"},
    {"NoHomeLeavesItAsTyped", "~/Sorted", std::nullopt, "~/Sorted"},
};

class HomeFolderTest : public testing::TestWithParam<THomeCase> {};

TEST_P(HomeFolderTest, TildeNamesTheHomeFolder) {
  std::map<std::string, std::string> variables;
  if (GetParam().home) variables["HOME"] = *GetParam().home;
  EXPECT_EQ(WithHomeFolder(GetParam().typed, TFixedEnvironment(variables)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, HomeFolderTest, testing::ValuesIn(kHomeCases), TCaseName());

// Each test case runs in a process of its own, so changing the environment here is safe.
TEST(SettingsLocation, ReadsTheProcessEnvironment) {
  ASSERT_EQ(::unsetenv("KALVERO_APPDATA"), 0);
  ASSERT_EQ(::setenv("XDG_CONFIG_HOME", "/tmp/kalvero-config", 1), 0);
  EXPECT_EQ(SettingsFilePath(ProcessEnvironment()), "/tmp/kalvero-config/Vandrel/Kalvero/kalvero.ini");
  ASSERT_EQ(::unsetenv("XDG_CONFIG_HOME"), 0);
  ASSERT_EQ(::setenv("HOME", "/home/someone", 1), 0);
  EXPECT_EQ(ApplicationDataFolder(ProcessEnvironment()), "/home/someone/.config");
}

}  // namespace
}  // namespace kalvero

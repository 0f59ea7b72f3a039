// The services of a Windows process: its environment and arguments in UTF-8, and the user's
// application-data folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/application_data_folder.h"
#include "platform/console.h"
#include "platform/file_names.h"
#include "platform/win32/command_line.h"
#include "tests/support/case_name.h"
#include "tests/support/fixed_environment.h"

namespace kalvero {
namespace {

TEST(ProcessEnvironment, ReadsValuesAsUtf8) {
  const std::wstring longValue(5000, L'\u00E9');
  std::string longUtf8;
  for (int i = 0; i < 5000; ++i) longUtf8 += "\xC3\xA9";
  const std::vector<std::pair<std::wstring, std::string>> values = {
      {L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F4F7", "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xB7"},
      {longValue, longUtf8},
  };
  for (const auto& [wide, utf8] : values) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"KALVERO_TEST_VALUE", wide.c_str()));
    EXPECT_EQ(ProcessEnvironment().Variable("KALVERO_TEST_VALUE"), utf8);
  }
  ASSERT_TRUE(SetEnvironmentVariableW(L"KALVERO_TEST_VALUE", L""));
  EXPECT_EQ(ProcessEnvironment().Variable("KALVERO_TEST_VALUE"), "");
  ASSERT_TRUE(SetEnvironmentVariableW(L"KALVERO_TEST_VALUE", nullptr));
  EXPECT_EQ(ProcessEnvironment().Variable("KALVERO_TEST_VALUE"), std::nullopt);
}

TEST(ApplicationDataFolder, IsTheRoamingFolderUnlessChosen) {
  const TFixedEnvironment none(std::map<std::string, std::string>{});
  const auto roaming = NativeApplicationDataFolder(none);
  ASSERT_TRUE(roaming.has_value());
  EXPECT_TRUE(IsAbsolutePath(*roaming)) << *roaming;
  EXPECT_EQ(roaming, ProcessEnvironment().Variable("APPDATA"));
  EXPECT_EQ(SettingsFilePath(none), *roaming + "\\Vandrel\\Kalvero\\kalvero.ini");

  const TFixedEnvironment chosen(std::map<std::string, std::string>{{"KALVERO_APPDATA", "D:\\Portable\\"}});
  EXPECT_EQ(SettingsFilePath(chosen), "D:\\Portable\\Vandrel\\Kalvero\\kalvero.ini");
  const TFixedEnvironment relative(std::map<std::string, std::string>{{"KALVERO_APPDATA", "D:Portable"}});
  EXPECT_EQ(ApplicationDataFolder(relative), roaming);
}

TEST(ApplicationDataFolder, TildeIsAnOrdinaryName) {
  const TFixedEnvironment home(std::map<std::string, std::string>{{"HOME", "C:\\Users\\u"}});
  for (const std::string typed : {"~", "~\\Sorted", "~/Sorted"}) EXPECT_EQ(WithHomeFolder(typed, home), typed);
}

struct TArgumentsCase {
  std::string name;
  std::wstring commandLine;
  std::vector<std::string> arguments;
};

const std::vector<TArgumentsCase> kArgumentsCases = {
    {"BlanksSeparate", L"kalvero.exe sort  C:\\a\tD:\\b", {"kalvero.exe", "sort", "C:\\a", "D:\\b"}},
    {"QuotesGroup", L"\"C:\\Program Files\\k.exe\" \"My Pictures\"", {"C:\\Program Files\\k.exe", "My Pictures"}},
    {"BackslashesEscapeOnlyBeforeAQuote", L"k.exe a\\\\b \\\"c\\\" \"d\\\\\"", {"k.exe", "a\\\\b", "\"c\"", "d\\"}},
    {"EmptyQuotedArgument", L"k.exe \"\" x", {"k.exe", "", "x"}},
    {"Utf8", L"k.exe M\u00FCnchen \u65E5\u672C \U0001F4F7",
     {"k.exe", "M\xC3\xBCnchen", "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x93\xB7"}},
    {"LoneSurrogateAsWtf8", std::wstring(L"k.exe a") + wchar_t(0xD800), {"k.exe", "a\xED\xA0\x80"}},
};

class ArgumentsTest : public testing::TestWithParam<TArgumentsCase> {};

TEST_P(ArgumentsTest, SplitAsWindowsSplitsThem) {
  EXPECT_EQ(CommandLineArguments(GetParam().commandLine.c_str()), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ArgumentsTest, testing::ValuesIn(kArgumentsCases), TCaseName());

TEST(ProgramArguments, ComeFromTheWideCommandLine) {
  const std::vector<std::string> arguments = ProgramArguments(0, nullptr);
  ASSERT_FALSE(arguments.empty());
  EXPECT_TRUE(arguments.front().ends_with("kalvero_platform_tests.exe")) << arguments.front();
}

}  // namespace
}  // namespace kalvero

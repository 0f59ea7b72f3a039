// The names Windows refuses for files and folders.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_names.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TNameCase {
  std::string name;
  std::string candidate;
  bool refused;
};

const std::vector<TNameCase> kNameCases = {
    {"Ordinary", "07.08.2004 - 16.45.33.jpg", false},
    {"Console", "CON", true},
    {"DeviceInAnyCase", "nUl", true},
    {"DeviceWithExtension", "NUL.2004-08-07", true},
    {"DeviceWithTwoExtensions", "prn.a.jpg", true},
    {"DeviceWithBlanksBeforeTheDot", "AUX  .jpg", true},
    {"Ports", "COM9.jpg", true},
    {"PrinterPorts", "lpt1", true},
    {"SuperscriptPort", "COM\xC2\xB9.jpg", true},
    {"PortZeroIsAName", "COM0.jpg", false},
    {"PortTenIsAName", "LPT10", false},
    {"DeviceInsideTheBaseIsAName", "CONSOLE.jpg", false},
    {"DeviceAfterTheFirstDotIsAName", "a.CON", false},
    {"LeadingBlankIsAName", " CON", false},
    {"TrailingDot", "2004.08.", true},
    {"TrailingBlank", "2004 ", true},
    {"Colon", "16:45.jpg", true},
    {"Question", "16.4?.33.jpg", true},
    {"LessThan", "a<b", true},
    {"GreaterThan", "a>b", true},
    {"Pipe", "a|b", true},
    {"Quote", "a\"b", true},
    {"Star", "*.jpg", true},
    {"Backslash", "a\\b", true},
    {"Slash", "a/b", true},
    {"ControlCharacter", "a\tb.jpg", true},
    {"Utf8", "M\xC3\xBCnchen", false},
};

class RefusedNameTest : public testing::TestWithParam<TNameCase> {};

TEST_P(RefusedNameTest, FollowsWindowsRules) { EXPECT_EQ(IsRefusedName(GetParam().candidate), GetParam().refused); }

INSTANTIATE_TEST_SUITE_P(Names, RefusedNameTest, testing::ValuesIn(kNameCases), TCaseName());

}  // namespace
}  // namespace kalvero

// Escaping bytes from outside for the console and the journal, and reading them back.

#include <gtest/gtest.h>

#include "app/cli/escaped_text.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TEscapeCase {
  std::string name;
  std::string bytes;
  std::string escaped;
};

const std::vector<TEscapeCase> kEscapes = {
    {"PlainTextAndBlanksStay", "Urlaub 2004/a b.jpg", "Urlaub 2004/a b.jpg"},
    {"Utf8LettersStay", "M\xC3\xBCritz \xE2\x82\xAC \xF0\x9F\x93\xB7", "M\xC3\xBCritz \xE2\x82\xAC \xF0\x9F\x93\xB7"},
    {"ControlBytes", "a\x1b[2J\tb\n\x7f", "a\\x1B[2J\\x09b\\x0A\\x7F"},
    {"Backslash", "a\\b", "a\\\\b"},
    {"C1Controls", "\xC2\x9B" "31m \xC2\xA0", "\\xC2\\x9B31m \xC2\xA0"},
    {"InvalidUtf8", "\xE4rger \xC3 \xED\xA0\x80 \xF5\x80\x80\x80", "\\xE4rger \\xC3 \\xED\\xA0\\x80 \\xF5\\x80\\x80\\x80"},
    {"OverlongForm", "\xC0\xAF", "\\xC0\\xAF"},
    {"CutSequenceAtTheEnd", "ab\xE2\x82", "ab\\xE2\\x82"},
};

class EscapeTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(EscapeTest, EscapesWhatCouldPlayTricksAndReadsItBack) {
  EXPECT_EQ(Escaped(GetParam().bytes), GetParam().escaped);
  EXPECT_EQ(Unescaped(GetParam().escaped), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Bytes, EscapeTest, testing::ValuesIn(kEscapes), TCaseName());

TEST(Unescaped, RefusesWhatEscapedNeverWrites) {
  for (const char* text : {"a\\", "\\x4", "\\xZZ", "\\y", "\\x41", "\\x1b", "raw\ttab", "raw\x1b"})
    EXPECT_FALSE(Unescaped(text).has_value()) << text;
}

}  // namespace
}  // namespace kalvero

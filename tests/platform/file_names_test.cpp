#include "platform/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace kalvero {
namespace {

TEST(CompareNames, SortsByUpperCaseBytesThenRawBytes) {
  std::vector<std::string> names = {"b.jpg", "_x", "A.jpg", "a.jpg", "\xC3\xA4.jpg", "Z", "[", "a", "10", "9"};
  std::ranges::sort(names, NameLess);
  // '_' (0x5F) sorts after the letters once they are upper case; '[' (0x5B) right after 'Z';
  // the UTF-8 byte 0xC3 after every ASCII byte; "A.jpg" before "a.jpg" by its raw bytes.
  EXPECT_EQ(names, (std::vector<std::string>{"10", "9", "a", "A.jpg", "a.jpg", "b.jpg", "Z", "[", "_x",
                                             "\xC3\xA4.jpg"}));
}

TEST(CompareNames, IsATotalOrder) {
  EXPECT_EQ(CompareNames("abc", "ABC"), 1);
  EXPECT_EQ(CompareNames("ABC", "abc"), -1);
  EXPECT_EQ(CompareNames("abc", "abc"), 0);
  EXPECT_EQ(CompareNames("ab", "abc"), -1);
  EXPECT_EQ(CompareNames("ABD", "abc"), 1);
}

struct TMaskCase {
  std::string name, fileName, mask;
  bool matches;
};

const std::vector<TMaskCase> kMaskCases = {
    {"ExtensionInAnyCase", "IMG_0001.JPG", "*.jpg", true},
    {"MixedCaseExtension", "b.Jpeg", "*.jpeg", true},
    {"JpgMaskSkipsJpeg", "x.jpeg", "*.jpg", false},
    {"JpegMaskSkipsJpg", "y.jpg", "*.jpeg", false},
    {"LongerExtensionIsNoMatch", "a.jpgx", "*.jpg", false},
    {"StarTakesALeadingDot", ".hidden.jpg", "*.jpg", true},
    {"NameThatIsOnlyTheExtension", ".jpg", "*.jpg", true},
    {"DoubleExtension", "a.jpg.jpg", "*.jpg", true},
    {"StarDotStarTakesNamesWithoutDot", "README", "*.*", true},
    {"StarDotStarTakesDotFiles", ".config", "*.*", true},
    {"QuestionMarkIsOneByte", "a1.jpg", "a?.jpg", true},
    {"QuestionMarkNeedsAByte", "a.jpg", "a?.jpg", false},
    {"StarAlone", "anything", "*", true},
    {"BacktrackingStars", "abcabcabd", "*abc*abd", true},
    {"UnicodeNamesByBytes", "\xC3\x84rger.JPG", "*.jpg", true},
};

class MatchesMaskTest : public testing::TestWithParam<TMaskCase> {};

TEST_P(MatchesMaskTest, FollowsWindowsWildcards) {
  EXPECT_EQ(MatchesMask(GetParam().fileName, GetParam().mask), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Masks, MatchesMaskTest, testing::ValuesIn(kMaskCases), TCaseName());

TEST(MatchesMask, ManyStarsStayFast) {
  const std::string name(10000, 'a');
  EXPECT_FALSE(MatchesMask(name, "*a*a*a*a*a*a*a*a*b"));
}

TEST(IsSinglePathComponent, RefusesAnythingThatLeavesItsFolder) {
  for (const char* name : {"2004.08.07", "07.08.2004 - 16.45.33.jpg", "..jpg", ".hidden", "\xC3\xA4"})
    EXPECT_TRUE(IsSinglePathComponent(name)) << name;
  // A backslash is an ordinary byte of a name where it separates nothing.
  EXPECT_EQ(IsSinglePathComponent("a\\b"), kPathSeparator == '/');
  for (const char* name : {"", ".", "..", "a/b", "/", "../x", "tab\there", "del\x7f"})
    EXPECT_FALSE(IsSinglePathComponent(name)) << name;
  EXPECT_FALSE(IsSinglePathComponent(std::string("nul\0byte", 8)));
}

struct TParentCase {
  std::string name, path, parent;
};

const std::vector<TParentCase> kParentCases = {
    {"BareName", "sorted", ""},
    {"Empty", "", ""},
    {"NestedName", "new/t", "new"},
    {"TrailingSeparators", "new/t//", "new"},
    {"TrailingSeparatorBelowTheRoot", "/t/", "/"},
    {"DoubledSeparator", "new//t", "new"},
    {"BelowTheRoot", "/t", "/"},
    {"RootIsItsOwnParent", "/", "/"},
    {"SeparatorsAloneAreTheRoot", "///", "/"},
    {"CurrentFolder", "./t", "."},
};

class ParentFolderTest : public testing::TestWithParam<TParentCase> {};

TEST_P(ParentFolderTest, IsTheLeadingPartWithoutSeparatorsAtItsEnd) {
  EXPECT_EQ(ParentFolder(GetParam().path), GetParam().parent);
}

INSTANTIATE_TEST_SUITE_P(Paths, ParentFolderTest, testing::ValuesIn(kParentCases), TCaseName());

TEST(WithoutTrailingSeparators, KeepsTheRoot) {
  EXPECT_EQ(WithoutTrailingSeparators("a/b//"), "a/b");
  EXPECT_EQ(WithoutTrailingSeparators("a/b"), "a/b");
  EXPECT_EQ(WithoutTrailingSeparators("//"), "/");
  EXPECT_EQ(WithoutTrailingSeparators(""), "");
}

}  // namespace
}  // namespace kalvero

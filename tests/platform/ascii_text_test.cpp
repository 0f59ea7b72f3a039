#include "platform/ascii_text.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(SameTextAscii, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameTextAscii("Label1", "LABEL1"));
  EXPECT_TRUE(SameTextAscii("german", "GERMAN"));
  EXPECT_FALSE(SameTextAscii("Label1", "Label"));
  // UTF-8 letters outside A-Z must match byte for byte.
  EXPECT_FALSE(SameTextAscii("\xC3\xA4", "\xC3\x84"));
  EXPECT_TRUE(SameTextAscii("\xC3\xA4x", "\xC3\xA4X"));
  // '@' and '`' sit next to the letters in ASCII and must not be folded into them.
  EXPECT_FALSE(SameTextAscii("@", "`"));
  EXPECT_FALSE(SameTextAscii("[", "{"));
}

TEST(TrimControl, RemovesBytesUpToBlankAtBothEndsOnly) {
  EXPECT_EQ(TrimControl(" \t\r\n a b \x01\x1f "), "a b");
  EXPECT_EQ(TrimControl("   "), "");
  EXPECT_EQ(TrimControl(""), "");
  // Bytes above 127 (UTF-8) are text, not white space.
  EXPECT_EQ(TrimControl("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");
}

}  // namespace
}  // namespace kalvero

#pragma once

// Letter-case rules shared by every layer. They fold the ASCII letters only: every other byte,
// UTF-8 sequences included, is compared as it stands, so the rules are the same on every
// platform and for every user locale.

#include <string>
#include <string_view>

namespace kalvero {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// True when both texts are equal after folding A-Z and a-z together.
bool SameTextAscii(std::string_view a, std::string_view b);

// The text with A-Z replaced by a-z.
std::string AsciiLowerCase(std::string_view text);

// Removes every leading and trailing byte with a code from 0 to 32 (blanks, tabs, line ends and
// the other control characters).
std::string_view TrimControl(std::string_view text);

}  // namespace kalvero

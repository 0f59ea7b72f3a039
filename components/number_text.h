#pragma once

// Numbers as scripts and window descriptions write them. Everything is read and written in the C
// locale, whatever the user's locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

// A whole number: any number of leading blanks, an optional "+" or "-", then decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow, not even a blank.
// A number outside the 32-bit signed range (-2147483648 to 2147483647, the sign applied to the
// digits' value, so "$FFFFFFFF" is too large) is not valid. Answers nullopt for an invalid text.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// One or more hexadecimal digits and nothing else, read as one number that must not exceed
// 2147483647; nullopt otherwise.
std::optional<std::int32_t> ParseHexDigits(std::string_view digits);

// A finite floating-point number: an optional sign, digits with an optional "." and an optional
// exponent ("1.5", "-2e3", ".5"); no blanks, no "inf" or "nan". nullopt otherwise.
std::optional<double> ParseFloatText(std::string_view text);

// The shortest text that ParseFloatText reads back as the same value ("1.5", "1e+20").
std::string FormatFloat(double value);

}  // namespace kalvero

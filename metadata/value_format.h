#pragma once

// Display texts and numbers of directory entry values. `raw` is a value's bytes as stored,
// `bigEndian` the byte order of the segment they come from; all numbers are shown in the C locale.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvero {

// A value's text that a decoder has to read as a number and cannot.
class EDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The display text of a value of TIFF type `format`: at most its first 8 components, joined by
// ", ". Integer types show as signed 32-bit decimals, or as their label in `codes` when there
// are codes; rationals as "numerator/denominator"; floats as "-9999.99"; a type without size
// as "0". A non-empty `formatString` then shapes the text: one holding "%s" takes the text in
// its place, any other is applied to ToNumber of the value.
std::string FormatValue(std::string_view raw, std::uint16_t format, std::string_view codes,
                        std::string_view formatString, bool bigEndian);

// The number of a value: the integer types read all bytes as one signed 32-bit number, the
// rationals divide their first two 32-bit values (0 for a zero denominator or a short value);
// every other type gives 0, the floats included.
double ToNumber(std::string_view raw, std::uint16_t format, bool bigEndian);

// The first 50 bytes of `text`, each byte below 32 replaced by '.'.
std::string Printable(std::string_view text);

// The label of `value` (trimmed) in `codes` ("1:Normal,3:Rotated 180°"), or the empty text.
std::string DecodeLabel(std::string_view codes, std::string_view value);

// A rational text: optional blanks, an optional whole number and a blank, then
// "numerator/denominator". Anything else, and a zero denominator, give 0.
double ReadRationalText(std::string_view text);

// A decimal integer after optional leading blanks, with an optional sign, within 32 bits and
// with nothing after it. Throws EDecodeError otherwise.
std::int32_t ReadIntegerText(std::string_view text);

}  // namespace kalvero

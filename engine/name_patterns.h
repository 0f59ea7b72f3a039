#pragma once

// Date texts and name patterns: the pure operations from which every target name is built.
//
// A date text is what the metadata reader delivers, normally the 19 characters of
// "YYYY:MM:DD HH:MM:SS", read by fixed positions. A pattern holds the tokens YYYY, MM, DD, HH,
// NN, SS and FFF, matched case-sensitively; every replacement takes all non-overlapping
// occurrences from left to right and never scans the text it inserted again.
//
// Positions beyond the end of a short date text stand for nothing: a token whose characters
// are missing is replaced by the characters that exist, possibly none.

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace kalvero {

// formatdate's conversion error: the text is no valid date.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const TDate&, const TDate&) = default;
};

// Replaces every occurrence of `token` in `text` (see above).
std::string ReplaceToken(std::string_view text, std::string_view token, std::string_view replacement);

bool ContainsToken(std::string_view text, std::string_view token);
// True when `text` holds each of the tokens.
bool ContainsAllTokens(std::string_view text, std::initializer_list<std::string_view> tokens);

// Parses a date part "N1:N2:N3" (year, month, day, optionally followed by one more ':') or
// "N1:N2" (month and day of the clock's current year). A number is a run of digits that ends at
// a non-digit or once its value reaches 1000; a year of one or two digits takes the century of
// the current year. Throws EConvertError unless the whole text is read and the date exists in
// the Gregorian calendar (years 1 to 9999).
TDate formatdate(std::string_view datePart, const TClock& clock);

// True when the date part of `dateText` (the characters before its first blank) is a valid date.
bool correctdate(std::string_view dateText, const TClock& clock);

// Fills YYYY, DD, MM (in this order), then HH, NN and SS from the date text's fixed positions.
std::string BuildTimesInString(std::string_view pattern, std::string_view dateText);

// The decimal digits of n, padded on the left with zeros to `width` characters.
std::string FormatSequenceNumber(std::size_t n, std::size_t width);

// Fills YYYY, MM and DD from the compact date: the date part (the characters before the first
// blank) with every ':' removed.
std::string BuildFolderName(std::string_view folderPattern, std::string_view dateText);

// The levels of the date folder that BuildFolderName makes from `folderPattern` for `dateText`,
// outermost first: the name split at every '/' where `nested` (the command line's nested date
// folders), the whole name otherwise. Empty levels, which a short date text can make, are left out:
// like an empty name, which names the target folder itself, they name the folder above them.
std::vector<std::string> DateFolderLevels(std::string_view folderPattern, std::string_view dateText, bool nested);

// The path of a date folder below the target: its levels joined by the path separator.
std::string DateFolderPath(const std::vector<std::string>& levels);

// The date text of the sample names: the preview's, and those against which a pattern is checked.
inline constexpr std::string_view kSampleDateText = "2004:08:07 16:45:33";

// The preview of a target name for the sample date (kSampleDateText) and the sequence
// number 1, its width taken from `filesFoundCaption` ("001" while it is empty). With date
// folders the folder name comes first, then " / ".
std::string NamePreview(std::string_view filePattern, std::string_view folderPattern,
                        bool createDateFolders, std::string_view filesFoundCaption);

// The key filter of both pattern fields: the nine characters that file names cannot hold
// become the null character, which the field ignores; every other key passes unchanged.
char32_t FilterPatternKey(char32_t key);

}  // namespace kalvero

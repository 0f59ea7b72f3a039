#pragma once

// The special displays of the tag catalogue. Each receives the display text that the directory
// walk formed for a value (see FormatValue) and answers the text to show instead.

#include <string>
#include <string_view>

namespace kalvero {

// ComponentsConfiguration: the 2nd to 5th characters (the value stands between double quotes)
// as channel letters, 1 "Y", 2 "Cb", 3 "Cr", 4 "R", 5 "G", 6 "B"; other codes give nothing.
std::string DecodeComponentLetters(std::string_view text);

// ShutterSpeedValue: the rational APEX value v as the time 1/2^v, "%4.4f sec", followed by
// " (1/n)" for times of at most half a second.
std::string DecodeExposureTime(std::string_view text);

// Flash: the bits of the integer value as words ("On, strobe return, auto mode").
// Throws EDecodeError when the text is no integer.
std::string DecodeFlashBits(std::string_view text);

// UserComment: the text from its 9th character on (after the character-code prefix).
std::string DecodeUserComment(std::string_view text);

// Title, Comments, Author, Keywords, Subject: a list of byte values ("84, 0, 101, 0") whose
// 1st, 3rd, 5th, ... items are the low bytes of UTF-16 code units; each one that is not 0 gives
// the character with that code. Throws EDecodeError when such an item is no integer.
std::string DecodeCharacterCodes(std::string_view text);

// GPS latitudes and longitudes: three rationals as degrees, minutes and seconds; minutes with a
// fraction and no seconds are split into whole minutes and seconds.
std::string DecodeDegrees(std::string_view text);

// GPSTimeStamp: three rationals as hours, minutes and seconds.
std::string DecodeTimeOfDay(std::string_view text);

}  // namespace kalvero

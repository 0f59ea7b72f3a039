#pragma once

// The tags of the hint text and their attributes. A tag runs from "<" to its first ">" (to the
// end of the text when there is none). It is told by its first letters after "<" (after "</" for
// an end tag), with case ignored:
//
//   A link        BR line break    BO body        BL blink        B bold (any other B...)
//   E zigzag      F font           HI highlight   HR rule
//   IM image      IN indent        I italic (any other I...)      LI list item
//   P paragraph   R rotation       SUB, SUP sub- and superscript  SH shadow
//   S strike-out (any other S...)  UL list        U underline (any other U...)     Z hidden
//
// Every other tag (H or L followed by another letter, any other first character) is Unknown and
// is removed without effect.

#include <optional>
#include <string_view>

#include "components/colors.h"
#include "ui/rich_hint/hint_canvas.h"

namespace kalvero {

enum class THintTagKind {
  Unknown, Link, Bold, LineBreak, Body, Blink, Zigzag, Font, Highlight, Rule, Image, Indent,
  Italic, ListItem, List, Paragraph, Rotation, Subscript, Superscript, Shadow, StrikeOut,
  Underline, Hidden,
};

struct THintTag {
  THintTagKind kind = THintTagKind::Unknown;
  bool end = false;
  // The tag's text from "<" up to, not including, its first ">".
  std::string_view text;
  // The end tag "</B>" itself, which turns bold off; other end tags beginning with B reset the
  // text colour.
  bool plainBoldEnd = false;
};

// `tag` starts with "<" and ends with its first ">" or at the end of the text.
THintTag ClassifyHintTag(std::string_view tag);

// The value of the attribute `name` (in capitals) in a tag's text: the name, with case ignored,
// must stand at the start or after a character that is no letter or digit, and be followed by
// "=" (blanks allowed around it). A value in double quotes runs to the next double quote (to the
// end without one); any other value to the next blank. None when the attribute is missing.
std::optional<std::string_view> HintAttribute(std::string_view text, std::string_view name);

// The whole number at the start of `text` (an optional sign, then decimal digits), held within
// [minimum, maximum]; none without digits.
std::optional<int> HintNumber(std::string_view text, int minimum, int maximum);

// "#RRGGBB" (red, green, blue in hexadecimal) or a colour name from the component model's table
// (clRed, clnavy, CLBTNFACE; case ignored); anything else is black.
TColor HintColor(std::string_view value);
// A text colour read as HintColor reads it; clNone, which is no colour at all, is black as well.
TColor HintTextColor(std::string_view value);

// The font size a SIZE attribute stands for: 1 to 5 are 8, 10, 12, 14, 16 points, any other
// number is points, held within 1 to 1000.
int HintFontSize(int number);

// The picture an image source names: "IDX:n" (an index into the image list), "SSYS:file" and
// "LSYS:file" (small and large system icons), or a name without a colon (the picture container).
// An address (anything holding "://") and every other text with a colon name no picture.
std::optional<THintPicture> HintPictureSource(std::string_view source);

}  // namespace kalvero

#pragma once

// The character-level rules of the hint text: the clean-up before layout and the entities of a
// text piece.

#include <string>
#include <string_view>

namespace kalvero {

// The text as the layout reads it:
// - `&amp;` becomes two ampersands (shown as one, see HintPieceText), and `&quot;`, `&sect;`,
//   `&permil;`, `&reg;`, `&copy;`, `&para;`, `&trade;`, `&euro;` their characters, repeated until
//   none of these is left ("&amp;quot;" ends as "&&quot;" ... as `&"`);
// - the first "<#" and the first ">" after it are removed, keeping what stands between;
// - every line feed is removed and every carriage return becomes "<BR>".
std::string CleanHintText(std::string_view text);

// A text piece as it is measured and drawn: `&nbsp;` becomes a blank, `&lt;` "<", `&gt;` ">" and
// "&&" one ampersand, read once from left to right; a lone ampersand stays.
std::string HintPieceText(std::string_view piece);

}  // namespace kalvero

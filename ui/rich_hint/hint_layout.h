#pragma once

// Lays out one line of cleaned hint text (see hint_renderer.h for the rules) into placed items,
// which the renderer then draws. Positions are relative to the line's start; the renderer moves
// the line to where its alignment puts it.

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "components/events.h"
#include "ui/rich_hint/hint_canvas.h"
#include "ui/rich_hint/hint_renderer.h"
#include "ui/rich_hint/hint_state.h"

namespace kalvero {

// The next piece of the text from `start` (which is before its end): a tag up to and including
// its first ">" (to the end without one), the text up to the next "<" (with word wrapping, up to
// and including the next blank when that comes first), or, for a "<" with fewer than three
// characters left, the rest of the text as dropped.
enum class THintTokenKind { Tag, Text, Dropped };
struct THintToken {
  THintTokenKind kind = THintTokenKind::Text;
  std::size_t end = 0;
};
THintToken NextHintToken(std::string_view text, std::size_t start, bool wordWrap);

enum class THintItemKind { Text, Picture, Bullet };
enum class THintPictureAlign { Bottom, Middle, Top };

// Something placed on a line: `x` from the line's start, `width` and `height` as measured (a text
// piece cut in ellipsis mode has the width that remains up to the rectangle's edge). A bullet
// lies in the 12 pixels before its x and is as high as the line.
struct THintItem {
  THintItemKind kind = THintItemKind::Text;
  int x = 0;
  int width = 0;
  int height = 0;
  std::string text;
  THintFont font;
  TColor color = clBlack;
  TColor background = clNone;
  bool shadow = false;
  bool zigzag = false;
  bool cut = false;
  THintPicture picture;
  THintPictureAlign pictureAlign = THintPictureAlign::Bottom;
};

struct THintLine {
  std::vector<THintItem> items;
  int width = 0;
  int height = 0;
  int emptyHeight = 0;  // the height of "gh" in the font in force at the line's start
  int indent = 0;  // pixels from the text's start to the line's start
  THintParagraph paragraph;
  bool rule = false;     // ended by <HR>
  std::size_t end = 0;   // where the next line begins in the text
};

struct THintLayoutContext {
  THintCanvas& canvas;
  const THintOptions& options;
  TRect rect;
};

// Lays out the line that begins at `start` (before the text's end) and moves `state` on to the
// line's end. The line always takes at least one piece, so the text is used up.
THintLine LayOutHintLine(const THintLayoutContext& context, std::string_view text, std::size_t start,
                         THintState& state);

// Sums of widths and positions stay within int whatever the text holds.
inline int ClampToInt(long long value) {
  constexpr long long kLowest = std::numeric_limits<int>::min();
  constexpr long long kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, kLowest, kHighest));
}
inline int AddClamped(int a, int b) { return ClampToInt(static_cast<long long>(a) + b); }

// The height of "gh" in `font`: the height of an empty line.
int HintLineHeight(THintCanvas& canvas, const THintFont& font);

}  // namespace kalvero

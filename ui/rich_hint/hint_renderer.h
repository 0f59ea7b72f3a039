#pragma once

// The formatted-text renderer of the hint window: a small subset of HTML, measured and, on
// request, drawn on a THintCanvas.
//
// The text is first cleaned up (hint_text.h), then laid out line by line from the rectangle's
// left plus one pixel and its top. A line is measured first; in drawing mode it is then drawn
// from the left that its alignment and indent give, each piece with the bottom of its extent on
// the line's bottom. Drawing stops before a line whose top plus the height of "gh" (in the font
// in force at its start) lies below the rectangle's bottom.
//
// Within a line the text is taken piece by piece: a tag (hint_tags.h), or the text up to the next
// "<" - with word wrapping, up to and including the next blank when that comes first, so every
// blank of a run is a piece of its own width and runs of blanks place text as they are written.
// A piece fits when the line's width after it is less than the distance from the line's start to
// the rectangle's right edge, when it alone is at least that wide, or when the line's text so far
// does not end with a blank (tags that split a word never break it). With word wrapping a piece
// that does not fit begins the next line; without (ellipsis mode) no text wraps. The height of a
// piece counts for the line even when the piece moves on to the next.
//
// A line ends at BR, HR, UL, </P>, </LI>, before a list item that is not the first thing on its
// line, at a piece that does not fit, or at the end of the text. Its width is the sum of its
// pieces' widths less a blank's width when its last piece is text ending in a blank. The result
// is the widest line, counted with its indent, and the sum of the line heights, or the height of
// "gh" in the base font when there is no line.
//
// What the tags do beyond the obvious:
// - <F FACE="..." SIZE="n" COLOR="..." BGCOLOR="...">: the tag text after its first five
//   characters is read in capitals (so is the face name); sizes 1-5 are 8-16 points, other
//   numbers points. </F> returns to the base font's name, size and colour, and to the background
//   in force before the last BGCOLOR; fonts do not nest. <B> and </B> switch bold; any other end
//   tag beginning with B resets the text colour to the base font's.
// - <A ...>: a link, underlined, in the link colour, until </A>.
// - <HI>: text in the highlight colours (clHighlightText on clHighlight) until </HI>.
// - <E>: a red zigzag (THintCanvas::DrawZigzag) under the text until </E>.
// - <SH>: the text is drawn first in the shadow colour, offset right and down.
// - <Z>: hidden text takes no width or height and is not drawn; tags in it still act.
// - <R A="n">: text turned by n degrees (mod 360) until </R>; it is laid out unturned.
// - <HR>: a black rule in the bottom row of the line it ends, across the rectangle.
// - <UL>, </UL>: 12 pixels of indent a level (at most 100 levels). <LI> in a list draws a bullet
//   (THintCanvas::DrawBullet) in the 12 pixels before the text; outside a list it draws none.
// - <P ALIGN=LEFT|RIGHT|CENTER INDENT=n BGCOLOR=... BGCOLORTO=...>: every attribute not given
//   takes its default (left, 0, none); the background fills the lines across the rectangle, a
//   gradient from left to right with BGCOLORTO. A line takes the alignment, indent (paragraph and
//   list) and background in force where its first piece is placed, or where it ends when it has
//   none; a right or centred line never starts left of its indent.
// - <IN X=n>: the text goes on at n pixels from the rectangle's left, never further left.
// - <IM SRC=... WIDTH=n HEIGHT=n ALIGN=TOP|MIDDLE|BOTTOM ALT="...">: a picture (hint_tags.h
//   HintPictureSource), WIDTH and HEIGHT replacing its own; it fits like a text piece and is
//   never cut. A picture that cannot be had - an address with "://" is never loaded - is its ALT
//   text, or nothing.
// - <BODY BACKGROUND=... BGCOLOR=... BGCOLORTO=... DIR=H|V>: in drawing mode, before any line, the
//   whole rectangle is filled (a gradient with BGCOLORTO, top to bottom unless DIR begins with H)
//   and the background picture tiled over it, for each body tag in order.
// - A background colour clNone, in a body or a paragraph, fills nothing; BGCOLORTO clNone leaves
//   a plain fill in BGCOLOR. A text colour clNone is black, like an unknown name.
// - <BL> (blink) is drawn as plain text; unknown tags are removed; a tag without ">" takes the
//   rest of the text with it.
// In ellipsis mode a text piece that runs past the rectangle's right edge is cut to it and ends in
// "...": only what remains up to the edge counts as its width.

#include <optional>
#include <string_view>

#include "components/colors.h"
#include "components/events.h"
#include "ui/rich_hint/hint_canvas.h"

namespace kalvero {

struct THintOptions {
  THintFont font;                 // the base font
  TColor fontColor = clInfoText;  // the base font's colour
  bool draw = false;              // false: measure only
  bool wordWrap = true;           // false: ellipsis mode
  TColor urlColor = clBlack;
  TColor shadowColor = RgbColor(128, 128, 128);
  int shadowOffset = 1;
  // Lines break, and pieces are cut in ellipsis mode, as in a rectangle this wide; none: as wide
  // as the rectangle given. Drawing with the width that was measured with breaks every line where
  // the measure did, whatever the rectangle drawn in.
  std::optional<int> wrapWidth;
};

// Measures `text` (UTF-8) laid out in `rect` and, with options.draw, draws it; returns the width
// of the widest line and the height of the lines (those drawn, in drawing mode).
THintSize RenderHintHtml(THintCanvas& canvas, std::string_view text, const TRect& rect, const THintOptions& options);

}  // namespace kalvero

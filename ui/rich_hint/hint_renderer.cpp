#include "ui/rich_hint/hint_renderer.h"

#include <algorithm>
#include <string>

#include "ui/rich_hint/hint_layout.h"
#include "ui/rich_hint/hint_state.h"
#include "ui/rich_hint/hint_tags.h"
#include "ui/rich_hint/hint_text.h"

namespace kalvero {
namespace {

constexpr TColor kZigzagColor = clRed;
constexpr TColor kRuleColor = clBlack;

// Fills `box` with `from`, or with a gradient from `from` to `to` when `to` is a colour; nothing
// when `from` is clNone.
void FillBackground(THintCanvas& canvas, const TRect& box, TColor from, TColor to, bool vertical) {
  if (from == clNone) return;
  if (to != clNone)
    canvas.FillGradient(box, from, to, vertical);
  else
    canvas.FillBox(box, from);
}

// The colour an attribute of a tag names; clNone when the tag does not have it.
TColor AttributeColor(const THintTag& tag, std::string_view name) {
  const auto value = HintAttribute(tag.text, name);
  return value ? HintColor(*value) : clNone;
}

// Fills the rectangle for one body tag: its colour or gradient, then its picture tiled over it.
void PaintBody(THintCanvas& canvas, const THintTag& tag, const TRect& rect) {
  const auto direction = HintAttribute(tag.text, "DIR");
  const bool vertical = !direction || !(direction->starts_with('H') || direction->starts_with('h'));
  FillBackground(canvas, rect, AttributeColor(tag, "BGCOLOR"), AttributeColor(tag, "BGCOLORTO"), vertical);
  if (const auto source = HintAttribute(tag.text, "BACKGROUND"))
    if (const auto picture = HintPictureSource(*source)) canvas.TilePicture(*picture, rect);
}

void PaintBodies(THintCanvas& canvas, std::string_view text, const TRect& rect) {
  for (std::size_t pos = 0; pos < text.size();) {
    const THintToken token = NextHintToken(text, pos, false);
    if (token.kind == THintTokenKind::Tag) {
      const THintTag tag = ClassifyHintTag(text.substr(pos, token.end - pos));
      if (tag.kind == THintTagKind::Body && !tag.end) PaintBody(canvas, tag, rect);
    }
    pos = token.end;
  }
}

// Where a line starts: at its indent, or moved right by its alignment, never further left.
int LineLeft(const THintLine& line, const TRect& rect) {
  const long long start = static_cast<long long>(rect.left) + 1 + line.indent;
  const long long room = std::max<long long>(rect.right - start - line.width, 0);
  switch (line.paragraph.align) {
    case THintAlign::Right: return static_cast<int>(start + room);
    case THintAlign::Center: return static_cast<int>(start + room / 2);
    default: return static_cast<int>(start);
  }
}

void DrawTextItem(const THintLayoutContext& context, const THintItem& item, const TRect& box) {
  if (item.cut && item.width <= 0) return;
  const THintOptions& options = context.options;
  if (item.shadow) {
    const int offset = options.shadowOffset;
    const TRect shadow{box.left + offset, box.top + offset, box.right + offset, box.bottom + offset};
    context.canvas.DrawTextPiece(item.font, item.text, shadow, options.shadowColor, clNone, item.cut);
  }
  context.canvas.DrawTextPiece(item.font, item.text, box, item.color, item.background, item.cut);
  if (item.zigzag) context.canvas.DrawZigzag(box.left, box.right, box.bottom, kZigzagColor);
}

TRect PictureBox(const THintItem& item, int left, int top, int bottom) {
  switch (item.pictureAlign) {
    case THintPictureAlign::Top: return {left, top, left + item.width, top + item.height};
    case THintPictureAlign::Middle: {
      const int pictureTop = top + (bottom - top - item.height) / 2;
      return {left, pictureTop, left + item.width, pictureTop + item.height};
    }
    default: return {left, bottom - item.height, left + item.width, bottom};
  }
}

void DrawItem(const THintLayoutContext& context, const THintItem& item, int left, int top, int bottom) {
  switch (item.kind) {
    case THintItemKind::Text:
      DrawTextItem(context, item, {left, bottom - item.height, left + item.width, bottom});
      break;
    case THintItemKind::Picture: context.canvas.DrawPicture(item.picture, PictureBox(item, left, top, bottom)); break;
    case THintItemKind::Bullet: context.canvas.DrawBullet({left, top, left + item.width, bottom}, item.color); break;
  }
}

void DrawLine(const THintLayoutContext& context, const THintLine& line, int top) {
  const TRect& rect = context.rect;
  const int bottom = top + line.height;
  const THintParagraph& paragraph = line.paragraph;
  FillBackground(context.canvas, {rect.left, top, rect.right, bottom}, paragraph.background, paragraph.backgroundTo,
                 false);
  const int left = LineLeft(line, rect);
  for (const THintItem& item : line.items) DrawItem(context, item, AddClamped(left, item.x), top, bottom);
  if (line.rule) context.canvas.DrawRule(rect.left, rect.right, bottom - 1, kRuleColor);
}

}  // namespace

THintSize RenderHintHtml(THintCanvas& canvas, std::string_view text, const TRect& rect, const THintOptions& options) {
  const std::string clean = CleanHintText(text);
  const THintLayoutContext context{canvas, options, rect};
  if (options.draw) PaintBodies(canvas, clean, rect);
  THintState state = StartState(options);
  THintSize size;
  long long top = rect.top;
  bool anyLine = false;
  for (std::size_t pos = 0; pos < clean.size();) {
    const THintLine line = LayOutHintLine(context, clean, pos, state);
    if (options.draw && top + line.emptyHeight > rect.bottom) break;
    if (options.draw) DrawLine(context, line, static_cast<int>(top));
    size.width = std::max(size.width, AddClamped(line.indent, line.width));
    top += line.height;
    anyLine = true;
    pos = line.end;
  }
  size.height = anyLine ? ClampToInt(top - rect.top) : HintLineHeight(canvas, options.font);
  return size;
}

}  // namespace kalvero

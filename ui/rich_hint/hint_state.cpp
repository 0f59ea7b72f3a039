#include "ui/rich_hint/hint_state.h"

#include <algorithm>
#include <string>

#include "platform/ascii_text.h"

namespace kalvero {
namespace {

constexpr int kMaxIndent = 100'000;

// The font tag's attributes: its text after the first five characters ("<Font"), in capitals.
std::string FontAttributes(std::string_view tagText) {
  std::string attributes(tagText.substr(std::min<std::size_t>(5, tagText.size())));
  std::transform(attributes.begin(), attributes.end(), attributes.begin(), AsciiUpper);
  return attributes;
}

void ApplyFont(const THintTag& tag, THintState& state, const THintOptions& options) {
  if (tag.end) {
    state.font.name = options.font.name;
    state.font.size = options.font.size;
    state.color = options.fontColor;
    state.background = state.backgroundBeforeFont;
    return;
  }
  const std::string attributes = FontAttributes(tag.text);
  if (const auto face = HintAttribute(attributes, "FACE")) state.font.name = std::string(*face);
  if (const auto size = HintAttribute(attributes, "SIZE"))
    if (const auto number = HintNumber(*size, -1'000'000, 1'000'000)) state.font.size = HintFontSize(*number);
  if (const auto color = HintAttribute(attributes, "COLOR")) state.color = HintTextColor(*color);
  if (const auto background = HintAttribute(attributes, "BGCOLOR")) {
    state.backgroundBeforeFont = state.background;
    state.background = HintColor(*background);
  }
}

void ApplyBold(const THintTag& tag, THintState& state, const THintOptions& options) {
  if (!tag.end)
    state.font.bold = true;
  else if (tag.plainBoldEnd)
    state.font.bold = false;
  else
    state.color = options.fontColor;
}

void ApplyScript(const THintTag& tag, THintState& state, THintScript script) {
  state.font.script = tag.end ? THintScript::Normal : script;
}

void ApplyRotation(const THintTag& tag, THintState& state) {
  if (tag.end) {
    state.font.angle = 0;
    return;
  }
  if (const auto value = HintAttribute(tag.text, "A"))
    if (const auto degrees = HintNumber(*value, -1'000'000, 1'000'000)) state.font.angle = *degrees % 360;
}

}  // namespace

THintState StartState(const THintOptions& options) {
  THintState state;
  state.font = options.font;
  state.color = options.fontColor;
  return state;
}

THintParagraph ParagraphOf(const THintTag& tag) {
  THintParagraph paragraph;
  if (const auto align = HintAttribute(tag.text, "ALIGN")) {
    if (SameTextAscii(*align, "RIGHT")) paragraph.align = THintAlign::Right;
    if (SameTextAscii(*align, "CENTER")) paragraph.align = THintAlign::Center;
  }
  if (const auto indent = HintAttribute(tag.text, "INDENT"))
    paragraph.indent = HintNumber(*indent, 0, kMaxIndent).value_or(0);
  if (const auto background = HintAttribute(tag.text, "BGCOLOR")) paragraph.background = HintColor(*background);
  if (const auto backgroundTo = HintAttribute(tag.text, "BGCOLORTO")) paragraph.backgroundTo = HintColor(*backgroundTo);
  return paragraph;
}

bool ApplyStyleTag(const THintTag& tag, THintState& state, const THintOptions& options) {
  switch (tag.kind) {
    case THintTagKind::Font: ApplyFont(tag, state, options); return true;
    case THintTagKind::Bold: ApplyBold(tag, state, options); return true;
    case THintTagKind::LineBreak:
    case THintTagKind::Body:
    case THintTagKind::Blink:
      // Their end tags, like every end tag beginning with B but </B>, reset the text colour.
      if (tag.end) state.color = options.fontColor;
      return tag.end || tag.kind == THintTagKind::Blink;
    case THintTagKind::Link: state.link = !tag.end; return true;
    case THintTagKind::Zigzag: state.zigzag = !tag.end; return true;
    case THintTagKind::Highlight: state.highlight = !tag.end; return true;
    case THintTagKind::Italic: state.font.italic = !tag.end; return true;
    case THintTagKind::Underline: state.font.underline = !tag.end; return true;
    case THintTagKind::StrikeOut: state.font.strikeOut = !tag.end; return true;
    case THintTagKind::Shadow: state.shadow = !tag.end; return true;
    case THintTagKind::Hidden: state.hidden = !tag.end; return true;
    case THintTagKind::Subscript: ApplyScript(tag, state, THintScript::Subscript); return true;
    case THintTagKind::Superscript: ApplyScript(tag, state, THintScript::Superscript); return true;
    case THintTagKind::Rotation: ApplyRotation(tag, state); return true;
    case THintTagKind::Paragraph:
      if (tag.end) return false;
      state.paragraph = ParagraphOf(tag);
      return true;
    default: return false;
  }
}

THintFont PieceFont(const THintState& state) {
  THintFont font = state.font;
  font.underline = font.underline || state.link;
  return font;
}

TColor PieceColor(const THintState& state, const THintOptions& options) {
  if (state.link) return options.urlColor;
  return state.highlight ? clHighlightText : state.color;
}

TColor PieceBackground(const THintState& state) { return state.highlight ? clHighlight : state.background; }

}  // namespace kalvero

#pragma once

// The state that the hint text's tags switch: font, colours and the paragraph and list settings.
// It carries over from line to line.

#include "components/colors.h"
#include "ui/rich_hint/hint_canvas.h"
#include "ui/rich_hint/hint_renderer.h"
#include "ui/rich_hint/hint_tags.h"

namespace kalvero {

enum class THintAlign { Left, Right, Center };

struct THintParagraph {
  THintAlign align = THintAlign::Left;
  int indent = 0;
  TColor background = clNone;
  TColor backgroundTo = clNone;
};

struct THintState {
  static constexpr int kListIndent = 12;
  static constexpr int kMaxListLevel = 100;

  THintFont font;
  TColor color = clBlack;
  TColor background = clNone;
  TColor backgroundBeforeFont = clNone;
  bool link = false;
  bool highlight = false;
  bool shadow = false;
  bool zigzag = false;
  bool hidden = false;
  int listLevel = 0;
  THintParagraph paragraph;

  int Indent() const { return listLevel * kListIndent + paragraph.indent; }
};

THintState StartState(const THintOptions& options);

// Applies a tag that changes only the state (font, style, colours, links, paragraph start);
// returns false for every other tag, which it leaves alone.
bool ApplyStyleTag(const THintTag& tag, THintState& state, const THintOptions& options);

// The paragraph a <P> tag starts.
THintParagraph ParagraphOf(const THintTag& tag);

// What a text piece is drawn with in this state.
THintFont PieceFont(const THintState& state);
TColor PieceColor(const THintState& state, const THintOptions& options);
TColor PieceBackground(const THintState& state);

}  // namespace kalvero

#include "ui/rich_hint/hint_layout.h"

#include <algorithm>
#include <optional>

#include "ui/rich_hint/hint_tags.h"
#include "ui/rich_hint/hint_text.h"

namespace kalvero {
namespace {

constexpr int kMaxPictureSide = 10'000;
constexpr int kMaxIndentPosition = 100'000;

class THintLineBuilder {
 public:
  THintLineBuilder(const THintLayoutContext& context, std::string_view text, std::size_t start, THintState& state)
      : context_(context), text_(text), pos_(start), state_(state) {}

  THintLine Run();

 private:
  // What a piece does to the line: nothing more, end it after the piece, or end it before the
  // piece, which then begins the next line.
  enum class TStep { Go, EndAfter, EndBefore };

  TStep TakeTag(std::string_view tagText);
  TStep TakeText(std::string_view raw);
  TStep TakePicture(const THintTag& tag);
  TStep TakeListItem();
  void TakeIndent(const THintTag& tag);
  TStep EndLine(TStep step);
  void Capture();
  int Indent() const { return captured_ ? line_.indent : state_.Indent(); }
  bool Fits(int width) const;
  int Available() const;
  void Finish();

  const THintLayoutContext& context_;
  std::string_view text_;
  std::size_t pos_;
  THintState& state_;
  THintLine line_;
  int cursor_ = 0;
  bool captured_ = false;
  bool hasContent_ = false;
  bool textEndsWithBlank_ = false;     // the line's text so far ends with a blank
  bool endsWithBlankText_ = false;     // the last thing placed is uncut text ending with a blank
  THintFont lastTextFont_;
};

THintLine THintLineBuilder::Run() {
  line_.emptyHeight = HintLineHeight(context_.canvas, state_.font);
  line_.height = line_.emptyHeight;
  while (pos_ < text_.size()) {
    const THintToken token = NextHintToken(text_, pos_, context_.options.wordWrap);
    const std::string_view piece = text_.substr(pos_, token.end - pos_);
    TStep step = TStep::Go;
    if (token.kind == THintTokenKind::Tag) step = TakeTag(piece);
    if (token.kind == THintTokenKind::Text) step = TakeText(piece);
    if (step == TStep::EndBefore) break;
    pos_ = token.end;
    if (step == TStep::EndAfter) break;
  }
  line_.end = pos_;
  Finish();
  return std::move(line_);
}

// A line takes the paragraph and indent in force where its first item is placed, so that a tag
// later in the line moves only the lines after it; a line without items takes them where it ends,
// before the ending tag acts.
void THintLineBuilder::Capture() {
  if (captured_) return;
  line_.paragraph = state_.paragraph;
  line_.indent = state_.Indent();
  captured_ = true;
}

THintLineBuilder::TStep THintLineBuilder::EndLine(TStep step) {
  Capture();
  return step;
}

THintLineBuilder::TStep THintLineBuilder::TakeTag(std::string_view tagText) {
  const THintTag tag = ClassifyHintTag(tagText);
  if (ApplyStyleTag(tag, state_, context_.options)) return TStep::Go;
  const bool start = !tag.end;
  switch (tag.kind) {
    case THintTagKind::LineBreak: return EndLine(TStep::EndAfter);
    case THintTagKind::Rule:
      if (start) line_.rule = true;
      return start ? EndLine(TStep::EndAfter) : TStep::Go;
    case THintTagKind::List:
      if (start) {
        Capture();
        state_.listLevel = std::min(state_.listLevel + 1, THintState::kMaxListLevel);
        return TStep::EndAfter;
      }
      state_.listLevel = std::max(state_.listLevel - 1, 0);
      return TStep::Go;
    case THintTagKind::ListItem: return start ? TakeListItem() : EndLine(TStep::EndAfter);
    case THintTagKind::Paragraph:  // the end tag; ApplyStyleTag took the start
      Capture();
      state_.paragraph = THintParagraph{};
      return TStep::EndAfter;
    case THintTagKind::Image: return start ? TakePicture(tag) : TStep::Go;
    case THintTagKind::Indent:
      if (start) TakeIndent(tag);
      return TStep::Go;
    default: return TStep::Go;  // unknown tags; bodies are drawn before the lines
  }
}

THintLineBuilder::TStep THintLineBuilder::TakeText(std::string_view raw) {
  if (state_.hidden) return TStep::Go;
  THintItem item;
  item.text = HintPieceText(raw);
  item.font = PieceFont(state_);
  const THintSize extent = context_.canvas.TextExtent(item.font, item.text);
  line_.height = std::max(line_.height, extent.height);
  item.width = std::max(extent.width, 0);
  if (context_.options.wordWrap && !Fits(item.width)) return EndLine(TStep::EndBefore);
  if (!context_.options.wordWrap) {
    const int remaining = std::max(ClampToInt(static_cast<long long>(Available()) - cursor_), 0);
    item.cut = item.width > remaining;
    item.width = std::min(item.width, remaining);
  }
  Capture();
  item.x = cursor_;
  item.height = extent.height;
  item.color = PieceColor(state_, context_.options);
  item.background = PieceBackground(state_);
  item.shadow = state_.shadow;
  item.zigzag = state_.zigzag;
  cursor_ = AddClamped(cursor_, item.width);
  hasContent_ = true;
  textEndsWithBlank_ = raw.ends_with(' ');
  endsWithBlankText_ = textEndsWithBlank_ && !item.cut;
  lastTextFont_ = item.font;
  line_.items.push_back(std::move(item));
  return TStep::Go;
}

THintPictureAlign PictureAlignOf(const THintTag& tag) {
  const auto align = HintAttribute(tag.text, "ALIGN");
  if (!align || align->empty()) return THintPictureAlign::Bottom;
  switch ((*align)[0]) {
    case 'T': case 't': return THintPictureAlign::Top;
    case 'M': case 'm': return THintPictureAlign::Middle;
    default: return THintPictureAlign::Bottom;
  }
}

int PictureSide(const THintTag& tag, std::string_view name, int natural) {
  const auto value = HintAttribute(tag.text, name);
  const std::optional<int> given = value ? HintNumber(*value, 0, kMaxPictureSide) : std::nullopt;
  return given.value_or(std::clamp(natural, 0, kMaxPictureSide));
}

THintLineBuilder::TStep THintLineBuilder::TakePicture(const THintTag& tag) {
  if (state_.hidden) return TStep::Go;
  const auto source = HintAttribute(tag.text, "SRC");
  const std::optional<THintPicture> picture = source ? HintPictureSource(*source) : std::nullopt;
  const std::optional<THintSize> size = picture ? context_.canvas.PictureSize(*picture) : std::nullopt;
  if (!size) {
    const auto alt = HintAttribute(tag.text, "ALT");
    return alt ? TakeText(*alt) : TStep::Go;
  }
  THintItem item;
  item.kind = THintItemKind::Picture;
  item.picture = *picture;
  item.pictureAlign = PictureAlignOf(tag);
  item.width = PictureSide(tag, "WIDTH", size->width);
  item.height = PictureSide(tag, "HEIGHT", size->height);
  line_.height = std::max(line_.height, item.height);
  if (context_.options.wordWrap && !Fits(item.width)) return EndLine(TStep::EndBefore);
  Capture();
  item.x = cursor_;
  cursor_ = AddClamped(cursor_, item.width);
  hasContent_ = true;
  endsWithBlankText_ = false;
  line_.items.push_back(std::move(item));
  return TStep::Go;
}

THintLineBuilder::TStep THintLineBuilder::TakeListItem() {
  if (hasContent_) return EndLine(TStep::EndBefore);
  if (state_.listLevel == 0 || state_.hidden) return TStep::Go;
  Capture();
  THintItem bullet;
  bullet.kind = THintItemKind::Bullet;
  bullet.x = cursor_ - THintState::kListIndent;
  bullet.width = THintState::kListIndent;
  bullet.color = PieceColor(state_, context_.options);
  line_.items.push_back(std::move(bullet));
  hasContent_ = true;
  return TStep::Go;
}

// <IN X=n> goes on at n pixels from the rectangle's left; the line starts one pixel and its
// indent to the right of that.
void THintLineBuilder::TakeIndent(const THintTag& tag) {
  const auto value = HintAttribute(tag.text, "X");
  const std::optional<int> x = value ? HintNumber(*value, 0, kMaxIndentPosition) : std::nullopt;
  if (!x) return;
  const int target = *x - 1 - Indent();
  if (target <= cursor_) return;
  cursor_ = target;
  endsWithBlankText_ = false;
}

bool THintLineBuilder::Fits(int width) const {
  const int available = Available();
  return AddClamped(cursor_, width) < available || width >= available || !textEndsWithBlank_;
}

int THintLineBuilder::Available() const {
  const TRect& rect = context_.rect;
  const long long width = context_.options.wrapWidth.value_or(static_cast<long long>(rect.right) - rect.left);
  return ClampToInt(width - 1 - Indent());
}

void THintLineBuilder::Finish() {
  Capture();
  int width = cursor_;
  if (endsWithBlankText_) width -= context_.canvas.TextExtent(lastTextFont_, " ").width;
  line_.width = std::max(width, 0);
}

}  // namespace

THintToken NextHintToken(std::string_view text, std::size_t start, bool wordWrap) {
  if (text[start] == '<') {
    if (text.size() - start < 3) return {THintTokenKind::Dropped, text.size()};
    const std::size_t close = text.find('>', start);
    return {THintTokenKind::Tag, close == std::string_view::npos ? text.size() : close + 1};
  }
  std::size_t end = std::min(text.find('<', start), text.size());
  if (wordWrap) {
    const std::size_t blank = text.find(' ', start);
    if (blank < end) end = blank + 1;
  }
  return {THintTokenKind::Text, end};
}

THintLine LayOutHintLine(const THintLayoutContext& context, std::string_view text, std::size_t start,
                         THintState& state) {
  return THintLineBuilder(context, text, start, state).Run();
}

int HintLineHeight(THintCanvas& canvas, const THintFont& font) { return canvas.TextExtent(font, "gh").height; }

}  // namespace kalvero

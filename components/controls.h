#pragma once

// The model layer of the standard controls: what a label, an edit box, a check box, a button or a
// group box is and publishes, without any widget. The Qt-backed controls derive from these classes
// and override the setters to forward each new value to their widget.
//
// Ownership and visual nesting are separate: the window owns every control in one flat list,
// while Parent names the control that contains it on screen (a group box, the window).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/component.h"
#include "components/cursors.h"
#include "components/font.h"

namespace kalvero {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TControl : public TComponent {
 public:
  static constexpr TIntegerRange kCoordinateRange{-32768, 32767};
  static constexpr TIntegerRange kExtentRange{0, 32767};

  // `color`: the background colour the class starts with.
  explicit TControl(TColor color = clBtnFace);
  ~TControl() override;

  // Publishes Left, Top, Width, Height, Hint, ShowHint, Cursor, Color, Font and Parent. Classes
  // that show their text publish it as Caption (labels, buttons, windows) or Text (edit boxes).
  const TPropertyTable& Properties() const override;

  std::int32_t Left() const { return left_; }
  virtual void SetLeft(std::int32_t left) { left_ = left; }
  std::int32_t Top() const { return top_; }
  virtual void SetTop(std::int32_t top) { top_ = top; }
  std::int32_t Width() const { return width_; }
  virtual void SetWidth(std::int32_t width) { width_ = width; }
  std::int32_t Height() const { return height_; }
  virtual void SetHeight(std::int32_t height) { height_ = height; }

  // The caption or text: one value whichever name a class publishes it under.
  std::string Text() const { return text_; }
  virtual void SetText(std::string text) { text_ = std::move(text); }

  std::string Hint() const { return hint_; }
  virtual void SetHint(std::string hint) { hint_ = std::move(hint); }
  bool ShowHint() const { return showHint_; }
  virtual void SetShowHint(bool showHint) { showHint_ = showHint; }
  TCursor Cursor() const { return cursor_; }
  virtual void SetCursor(TCursor cursor) { cursor_ = cursor; }
  TColor Color() const { return color_; }
  virtual void SetColor(TColor color) { color_ = color; }

  TFont& Font() const { return *font_; }
  // Copies the values of `font`; nothing leaves the font as it is.
  void SetFont(TFont* font);

  TControl* Parent() const { return parent_; }
  // Moves the control into `parent` (null: into none), at the end of its controls. Throws
  // EComponentError when `parent` is this control or lies inside it.
  void SetParent(TControl* parent);
  // The controls whose Parent this control is, in the order they were put into it.
  const std::vector<TControl*>& Controls() const { return controls_; }

 protected:
  // Called after a value of the font changed.
  virtual void FontChanged() {}
  // Called after Parent changed.
  virtual void ParentChanged() {}

 private:
  void Detach();

  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  TCursor cursor_ = crDefault;
  TColor color_;
  std::unique_ptr<TFont> font_;
  TControl* parent_ = nullptr;
  std::vector<TControl*> controls_;
};

class TLabel : public TControl {
 public:
  // Adds Caption, Alignment and AutoSize (on by default: the label takes its caption's size).
  const TPropertyTable& Properties() const override;

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoSize_ = true;
};

class TEdit : public TControl {
 public:
  TEdit();

  // Adds Text and MaxLength (0: no limit).
  const TPropertyTable& Properties() const override;

  std::int32_t MaxLength() const { return maxLength_; }
  virtual void SetMaxLength(std::int32_t maxLength) { maxLength_ = maxLength; }

 private:
  std::int32_t maxLength_ = 0;
};

class TCheckBox : public TControl {
 public:
  // Adds Caption and Checked.
  const TPropertyTable& Properties() const override;

  bool Checked() const { return checked_; }
  virtual void SetChecked(bool checked) { checked_ = checked; }

 private:
  bool checked_ = false;
};

// A push button, and the model of the flat speed button, which publishes the same.
class TButton : public TControl {
 public:
  // Adds Caption.
  const TPropertyTable& Properties() const override;
};

class TSpeedButton : public TButton {};

class TGroupBox : public TControl {
 public:
  // Adds Caption.
  const TPropertyTable& Properties() const override;
};

}  // namespace kalvero

#pragma once

// The model layer of the standard controls: what a label, an edit box, a check box, a button or a
// group box is and publishes, without any widget. The Qt-backed controls derive from these classes
// and override the setters to forward each new value to their widget.
//
// Ownership and visual nesting are separate: the window owns every control in one flat list,
// while Parent names the control that contains it on screen (a group box, the window).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/component.h"
#include "components/cursors.h"
#include "components/events.h"
#include "components/font.h"
#include "components/picture.h"

namespace kalvero {

class TForm;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
// The names of the alignments, in their order, as descriptions and scripts write them.
inline constexpr std::array<std::string_view, 3> kAlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
// Where a control keeps itself in its parent: nowhere in particular, or along an edge at the full
// length of that edge, or filling what the others leave.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TControl : public TComponent {
 public:
  static constexpr TIntegerRange kCoordinateRange{-32768, 32767};
  static constexpr TIntegerRange kExtentRange{0, 32767};

  // `color`: the background colour the class starts with.
  explicit TControl(TColor color = clBtnFace);
  ~TControl() override;

  // Publishes Left, Top, Width, Height, Hint, ShowHint, Cursor, Color, Font, Parent, Visible,
  // Enabled, TabOrder, TabStop and Align. Classes that show their text publish it as Caption
  // (labels, buttons, windows) or Text (edit boxes).
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

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The place in the order in which Tab visits the focusable controls of the same parent; a new
  // control comes after the ones its parent holds.
  std::int32_t TabOrder() const { return tabOrder_; }
  void SetTabOrder(std::int32_t tabOrder) {
    tabOrder_ = tabOrder;
    tabOrderGiven_ = true;
  }
  // Whether Tab stops at the control (when it can take the focus at all).
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  // Whether the control can take the keyboard focus: edit boxes, check boxes and push buttons.
  virtual bool CanFocus() const { return false; }
  // Gives the control the keyboard focus; its window learns of it (TForm::FocusMovedTo).
  virtual void SetFocus();

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  // The size of the area inside the control that its children are placed in.
  virtual std::int32_t ClientAreaWidth() const { return width_; }
  virtual std::int32_t ClientAreaHeight() const { return height_; }
  // Places the children that keep to an edge (Align), in the order they were put in: edges taken
  // by earlier ones are not available to later ones.
  void Realign();

  // Draws the control now, without waiting for the message loop.
  virtual void Repaint() {}
  // Whether the control paints through an off-screen picture that is shown in one piece, so that
  // nothing flickers. Not published: the program switches it on where the desktop needs it.
  bool DoubleBuffered() const { return doubleBuffered_; }
  virtual void SetDoubleBuffered(bool doubleBuffered) { doubleBuffered_ = doubleBuffered; }

  // The window the control belongs to: its owner, when that is a window.
  TForm* OwnerForm() const;

  // A click: by the mouse, or by the program (Click). Runs OnClick.
  void Click();
  TNotifyEvent OnClick;
  // The keyboard focus moved from this control to another control of its window.
  TNotifyEvent OnExit;

  // A control that its description placed nowhere is placed in its window.
  void Loaded() override;

 protected:
  // Called after a value of the font changed.
  virtual void FontChanged() {}
  // Called after Parent changed.
  virtual void ParentChanged() {}
  // Sets Left, Top, Width and Height, each through its setter and only when it differs; Realign
  // places the children that keep to an edge with it.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

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
  bool visible_ = true;
  bool enabled_ = true;
  std::int32_t tabOrder_ = 0;
  bool tabOrderGiven_ = false;
  bool tabStop_ = true;
  TAlign align_ = TAlign::alNone;
  bool realigning_ = false;
  bool doubleBuffered_ = false;
};

// Sets DoubleBuffered of `control` and of every control inside it, however deep.
void SetDoubleBufferedWithin(TControl& control, bool doubleBuffered);

class TLabel : public TControl {
 public:
  // Adds Caption, Alignment and AutoSize (on by default: the label takes its caption's size).
  const TPropertyTable& Properties() const override;

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

  // The mouse pointer entered, left or moved over the label.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseMoveEvent OnMouseMove;

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoSize_ = true;
};

// A one-line edit box. Its text changes by typing (UserChangedText) or by the program (SetText);
// either fires OnChange when the text differs from the one before, the same text fires nothing.
// SetTextQuietly writes without OnChange, for a writer that runs what a change starts itself.
class TEdit : public TControl {
 public:
  TEdit();

  // Adds Text and MaxLength (0: no limit).
  const TPropertyTable& Properties() const override;

  void SetText(std::string text) override;
  void SetTextQuietly(std::string text);

  // MaxLength limits what the user types or pastes; a text the program writes is kept whole.
  std::int32_t MaxLength() const { return maxLength_; }
  virtual void SetMaxLength(std::int32_t maxLength) { maxLength_ = maxLength; }

  bool CanFocus() const override { return true; }

  // Passes a typed character through OnKeyPress; answers it, or U'\0' when the handler dropped it.
  char32_t FilterKey(char32_t key);

  TNotifyEvent OnChange;
  TKeyPressEvent OnKeyPress;

  // The user changed the text in the widget, which already shows it; the widget layer reports it.
  void UserChangedText(std::string text);

 protected:
  // Shows a text the program wrote.
  virtual void ShowText(const std::string& /*text*/) {}

 private:
  std::int32_t maxLength_ = 0;
};

class TCheckBox : public TControl {
 public:
  // Adds Caption and Checked.
  const TPropertyTable& Properties() const override;

  bool Checked() const { return checked_; }
  // A program write fires nothing; a click by the user toggles the box and runs OnClick.
  virtual void SetChecked(bool checked) { checked_ = checked; }
  bool CanFocus() const override { return true; }

 protected:
  // The user clicked the box, which now shows `checked`.
  void UserClicked(bool checked);

 private:
  bool checked_ = false;
};

// A push button, and the model of the flat speed button.
class TButton : public TControl {
 public:
  // Adds Caption.
  const TPropertyTable& Properties() const override;
  bool CanFocus() const override { return true; }
};

// A flat button with a picture, which never takes the focus.
class TSpeedButton : public TButton {
 public:
  TSpeedButton();
  // Adds Flat and Glyph.
  const TPropertyTable& Properties() const override;

  bool Flat() const { return flat_; }
  virtual void SetFlat(bool flat) { flat_ = flat; }
  TPicture& Glyph() const { return *glyph_; }
  // Copies the picture given; nothing leaves it as it is.
  void SetGlyph(TPicture* glyph);
  bool CanFocus() const override { return false; }

 protected:
  // Called after the glyph changed.
  virtual void GlyphChanged() {}

 private:
  bool flat_ = false;
  std::unique_ptr<TPicture> glyph_;
};

class TGroupBox : public TControl {
 public:
  // Adds Caption.
  const TPropertyTable& Properties() const override;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A plain container of other controls.
class TPanel : public TControl {
 public:
  // Adds Caption and BevelOuter (raised by default).
  const TPropertyTable& Properties() const override;

  TBevelCut BevelOuter() const { return bevelOuter_; }
  virtual void SetBevelOuter(TBevelCut bevel) { bevelOuter_ = bevel; }

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};


}  // namespace kalvero

#include "components/controls.h"

#include <algorithm>
#include <array>

#include "components/forms.h"
#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 6> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
constexpr std::array<std::string_view, 4> kBevelNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

TPropertyInfoPtr CaptionProperty() { return TextProperty("Caption", &TControl::Text, &TControl::SetText); }

}  // namespace

TControl::TControl(TColor color) : color_(color), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  Detach();
  for (TControl* control : controls_) control->parent_ = nullptr;
}

const TPropertyTable& TControl::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {IntegerProperty("Left", &TControl::Left, &TControl::SetLeft, kCoordinateRange),
       IntegerProperty("Top", &TControl::Top, &TControl::SetTop, kCoordinateRange),
       IntegerProperty("Width", &TControl::Width, &TControl::SetWidth, kExtentRange),
       IntegerProperty("Height", &TControl::Height, &TControl::SetHeight, kExtentRange),
       TextProperty("Hint", &TControl::Hint, &TControl::SetHint),
       BooleanProperty("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
       IntegerProperty("Cursor", &TControl::Cursor, &TControl::SetCursor, kCursorRange, CursorNames()),
       IntegerProperty("Color", &TControl::Color, &TControl::SetColor, kColorRange, ColorNames()),
       ObjectProperty("Font", &TControl::Font, &TControl::SetFont),
       ObjectProperty("Parent", &TControl::Parent, &TControl::SetParent),
       BooleanProperty("Visible", &TControl::Visible, &TControl::SetVisible),
       BooleanProperty("Enabled", &TControl::Enabled, &TControl::SetEnabled),
       IntegerProperty("TabOrder", &TControl::TabOrder, &TControl::SetTabOrder, {-1, 32767}),
       BooleanProperty("TabStop", &TControl::TabStop, &TControl::SetTabStop),
       EnumProperty("Align", &TControl::Align, &TControl::SetAlign, kAlignNames)});
  return table;
}

void TControl::SetFont(TFont* font) {
  if (font != nullptr) font_->Assign(*font);
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  for (const TControl* inner = parent; inner != nullptr; inner = inner->parent_)
    if (inner == this) throw EComponentError("A control cannot be placed inside itself");
  Detach();
  parent_ = parent;
  if (parent_ != nullptr) {
    if (!tabOrderGiven_) tabOrder_ = static_cast<std::int32_t>(parent_->controls_.size());
    parent_->controls_.push_back(this);
  }
  ParentChanged();
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::SetFocus() {
  if (TForm* form = OwnerForm()) form->FocusMovedTo(*this);
}

TForm* TControl::OwnerForm() const { return dynamic_cast<TForm*>(Owner()); }

void SetDoubleBufferedWithin(TControl& control, bool doubleBuffered) {
  control.SetDoubleBuffered(doubleBuffered);
  for (TControl* inner : control.Controls()) SetDoubleBufferedWithin(*inner, doubleBuffered);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  if (left != left_) SetLeft(left);
  if (top != top_) SetTop(top);
  if (width != width_) SetWidth(width);
  if (height != height_) SetHeight(height);
}

void TControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  std::int32_t left = 0, top = 0, right = ClientAreaWidth(), bottom = ClientAreaHeight();
  for (TControl* child : controls_) {
    const std::int32_t width = child->width_, height = child->height_;
    switch (child->align_) {
      case TAlign::alNone: break;
      case TAlign::alTop: child->SetBounds(left, top, right - left, height); top += height; break;
      case TAlign::alBottom: child->SetBounds(left, bottom - height, right - left, height); bottom -= height; break;
      case TAlign::alLeft: child->SetBounds(left, top, width, bottom - top); left += width; break;
      case TAlign::alRight: child->SetBounds(right - width, top, width, bottom - top); right -= width; break;
      case TAlign::alClient: child->SetBounds(left, top, right - left, bottom - top); break;
    }
  }
  realigning_ = false;
}

void TControl::Click() { Fire(*this, OnClick, *this); }

void TControl::Loaded() {
  TForm* form = OwnerForm();
  if (parent_ == nullptr && form != nullptr && form != this) SetParent(form);
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::Detach() {
  if (parent_ == nullptr) return;
  std::erase(parent_->controls_, this);
  parent_ = nullptr;
}

const TPropertyTable& TLabel::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {CaptionProperty(), EnumProperty("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, kAlignmentNames),
       BooleanProperty("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)});
  return table;
}

TEdit::TEdit() : TControl(clWindow) {}

void TEdit::SetText(std::string text) {
  if (text == Text()) return;
  SetTextQuietly(std::move(text));
  Fire(*this, OnChange, *this);
}

void TEdit::SetTextQuietly(std::string text) {
  TControl::SetText(std::move(text));
  ShowText(Text());
}

void TEdit::UserChangedText(std::string text) {
  if (text == Text()) return;
  TControl::SetText(std::move(text));
  Fire(*this, OnChange, *this);
}

char32_t TEdit::FilterKey(char32_t key) {
  Fire(*this, OnKeyPress, *this, key);
  return key;
}

const TPropertyTable& TEdit::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {TextProperty("Text", &TControl::Text, &TControl::SetText),
       IntegerProperty("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength, {0, INT32_MAX})});
  return table;
}

const TPropertyTable& TCheckBox::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {CaptionProperty(), BooleanProperty("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)});
  return table;
}

void TCheckBox::UserClicked(bool checked) {
  checked_ = checked;
  Click();
}

const TPropertyTable& TButton::Properties() const {
  static const TPropertyTable table(&TControl::Properties(), {CaptionProperty()});
  return table;
}

TSpeedButton::TSpeedButton() : glyph_(std::make_unique<TPicture>()) {
  SetTabStop(false);
  glyph_->OnChange = [this] { GlyphChanged(); };
}

const TPropertyTable& TSpeedButton::Properties() const {
  static const TPropertyTable table(&TButton::Properties(),
                                    {BooleanProperty("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
                                     ObjectProperty("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)});
  return table;
}

void TSpeedButton::SetGlyph(TPicture* glyph) {
  if (glyph != nullptr) glyph_->Assign(*glyph);
}

const TPropertyTable& TGroupBox::Properties() const {
  static const TPropertyTable table(&TControl::Properties(), {CaptionProperty()});
  return table;
}

const TPropertyTable& TPanel::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {CaptionProperty(), EnumProperty("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, kBevelNames)});
  return table;
}

}  // namespace kalvero

#include "components/controls.h"

#include <algorithm>
#include <array>

#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 3> kAlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

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
       ObjectProperty("Parent", &TControl::Parent, &TControl::SetParent)});
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
  if (parent_ != nullptr) parent_->controls_.push_back(this);
  ParentChanged();
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

const TPropertyTable& TButton::Properties() const {
  static const TPropertyTable table(&TControl::Properties(), {CaptionProperty()});
  return table;
}

const TPropertyTable& TGroupBox::Properties() const {
  static const TPropertyTable table(&TControl::Properties(), {CaptionProperty()});
  return table;
}

}  // namespace kalvero

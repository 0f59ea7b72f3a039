#include "ui/rich_hint/rich_hint.h"

#include <array>

#include "components/forms.h"
#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 2> kHintStyleNames = {"hsRectangle", "hsRounded"};

TPropertyInfoPtr ColorProperty(std::string name, TColor (TRichHint::*get)() const, void (TRichHint::*set)(TColor)) {
  return IntegerProperty(std::move(name), get, set, kColorRange, ColorNames());
}

}  // namespace

TPictureContainer::TPictureContainer() : pictures_(std::make_unique<TStringList>()) {}

const TPropertyTable& TPictureContainer::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {ObjectProperty("Pictures", &TPictureContainer::Pictures, &TPictureContainer::SetPictures)});
  return table;
}

void TPictureContainer::SetPictures(TStringList* pictures) {
  if (pictures != nullptr) pictures_->Assign(*pictures);
}

TRichHint::TRichHint() : hintFont_(std::make_unique<TFont>()) { hintFont_->SetColor(clInfoText); }

TRichHint::~TRichHint() {
  // The application must not call back into a component that is gone.
  if (TApplication* application = ApplicationOf(*this); application != nullptr && subscribed_)
    application->OnShowHint = nullptr;
}

const TPropertyTable& TRichHint::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {BooleanProperty("Ellipsis", &TRichHint::Ellipsis, &TRichHint::SetEllipsis),
       ColorProperty("HintColor", &TRichHint::HintColor, &TRichHint::SetHintColor),
       ColorProperty("HintColorTo", &TRichHint::HintColorTo, &TRichHint::SetHintColorTo),
       ObjectProperty("HintFont", &TRichHint::HintFont, &TRichHint::SetHintFont),
       EnumProperty("HintStyle", &TRichHint::HintStyle, &TRichHint::SetHintStyle, kHintStyleNames),
       ObjectProperty("Images", &TRichHint::Images, &TRichHint::SetImages),
       IntegerProperty("MaxWidth", &TRichHint::MaxWidth, &TRichHint::SetMaxWidth, {0, 32767}),
       ObjectProperty("PictureContainer", &TRichHint::PictureContainer, &TRichHint::SetPictureContainer),
       ColorProperty("ShadowColor", &TRichHint::ShadowColor, &TRichHint::SetShadowColor),
       IntegerProperty("ShadowOffset", &TRichHint::ShadowOffset, &TRichHint::SetShadowOffset, {-100, 100}),
       ColorProperty("URLColor", &TRichHint::URLColor, &TRichHint::SetURLColor),
       IntegerProperty("XMargin", &TRichHint::XMargin, &TRichHint::SetXMargin, {0, 1000}),
       IntegerProperty("YMargin", &TRichHint::YMargin, &TRichHint::SetYMargin, {0, 1000})});
  return table;
}

void TRichHint::SetHintFont(TFont* font) {
  if (font != nullptr) hintFont_->Assign(*font);
}

void TRichHint::SetImages(TImageList* images) {
  if (images_ != nullptr) RemoveFreeNotification(*images_);
  images_ = images;
  if (images_ != nullptr) FreeNotification(*images_);
}

void TRichHint::SetPictureContainer(TPictureContainer* container) {
  if (pictureContainer_ != nullptr) RemoveFreeNotification(*pictureContainer_);
  pictureContainer_ = container;
  if (pictureContainer_ != nullptr) FreeNotification(*pictureContainer_);
}

void TRichHint::Notification(TComponent& destroyed) {
  if (&destroyed == images_) images_ = nullptr;
  if (&destroyed == pictureContainer_) pictureContainer_ = nullptr;
}

void TRichHint::Inserted() {
  TComponent* owner = Owner();
  if (dynamic_cast<TForm*>(owner) == nullptr) throw ERichHintError("Control parent must be a form!");
  for (std::size_t i = 0; i < owner->ComponentCount(); ++i)
    if (&owner->Component(i) != this && dynamic_cast<TRichHint*>(&owner->Component(i)) != nullptr)
      throw ERichHintError("Only one instance of TRichHint allowed on form");
  TApplication* application = ApplicationOf(*this);
  if (application == nullptr) return;
  // A new hint window class takes effect at the next hint: the application makes its window anew.
  if (THintWindowClass windowClass = HintWindowClass()) application->SetHintWindowClass(std::move(windowClass));
  application->OnShowHint = [this](std::string& hint, bool& canShow, THintInfo& info) {
    ShowHintNotification(hint, canShow, info);
  };
  subscribed_ = true;
}

void TRichHint::ShowHintNotification(std::string& hint, bool& canShow, THintInfo& info) {
  info.hintColor = hintColor_;
  if (maxWidth_ != 0) info.hintMaxWidth = maxWidth_;
  if (OnShowHint) OnShowHint(hint, canShow, info);
}

THintOptions HintOptionsOf(const TRichHint& hint) {
  const TFont& font = hint.HintFont();
  THintOptions options;
  options.font.name = font.Name();
  options.font.size = font.Size();
  options.font.bold = font.Style().Contains(TFontStyle::fsBold);
  options.font.italic = font.Style().Contains(TFontStyle::fsItalic);
  options.font.underline = font.Style().Contains(TFontStyle::fsUnderline);
  options.font.strikeOut = font.Style().Contains(TFontStyle::fsStrikeOut);
  options.fontColor = font.Color();
  options.wordWrap = !hint.Ellipsis();
  options.urlColor = hint.URLColor();
  options.shadowColor = hint.ShadowColor();
  options.shadowOffset = hint.ShadowOffset();
  return options;
}

TRichHint* MainWindowRichHint(const TApplication& application) {
  TForm* main = application.MainForm();
  if (main == nullptr) return nullptr;
  for (std::size_t i = 0; i < main->ComponentCount(); ++i)
    if (auto* hint = dynamic_cast<TRichHint*>(&main->Component(i))) return hint;
  return nullptr;
}

TPoint KeepHintOnMonitor(const TRect& window, const TRect& monitor) {
  TPoint corner{window.left, window.top};
  if (window.right > monitor.right) corner.x = monitor.right - 2 - window.Width();
  if (window.bottom > monitor.bottom) corner.y = monitor.bottom - 2 - window.Height();
  return corner;
}

}  // namespace kalvero

#include "components/status_bar.h"

#include "components/property_kinds.h"

namespace kalvero {

const TPropertyTable& TStatusPanel::Properties() const {
  static const TPropertyTable table(
      nullptr, {TextProperty("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
                IntegerProperty("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, TControl::kExtentRange)});
  return table;
}

void TStatusPanel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStatusPanel*>(&source);
  if (other == nullptr) return TPersistent::Assign(source);
  SetText(other->text_);
  SetWidth(other->width_);
}

void TStatusPanel::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Changed();
}

void TStatusPanel::SetWidth(std::int32_t width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

std::unique_ptr<TCollectionItem> TStatusPanels::CreateItem() { return std::make_unique<TStatusPanel>(*this); }

TStatusBar::TStatusBar() : panels_(std::make_unique<TStatusPanels>()) {
  panels_->OnChange = [this] { PanelsChanged(); };
}

const TPropertyTable& TStatusBar::Properties() const {
  static const TPropertyTable table(&TControl::Properties(),
                                    {ObjectProperty("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)});
  return table;
}

void TStatusBar::SetPanels(TStatusPanels* panels) {
  if (panels != nullptr) panels_->Assign(*panels);
}

}  // namespace kalvero

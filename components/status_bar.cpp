#include "components/status_bar.h"

#include <algorithm>
#include <array>

#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 3> kBevelNames = {"pbNone", "pbLowered", "pbRaised"};

}  // namespace

const TPropertyTable& TStatusPanel::Properties() const {
  static const TPropertyTable table(
      nullptr,
      {TextProperty("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
       IntegerProperty("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, TControl::kExtentRange),
       EnumProperty("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, kBevelNames),
       EnumProperty("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, kAlignmentNames)});
  return table;
}

void TStatusPanel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStatusPanel*>(&source);
  if (other == nullptr) return TPersistent::Assign(source);
  SetText(other->text_);
  SetWidth(other->width_);
  SetBevel(other->bevel_);
  SetAlignment(other->alignment_);
}

template <class T>
void TStatusPanel::Change(T& field, T value) {
  if (field == value) return;
  field = std::move(value);
  Changed();
}

void TStatusPanel::SetText(std::string text) { Change(text_, std::move(text)); }
void TStatusPanel::SetWidth(std::int32_t width) { Change(width_, width); }
void TStatusPanel::SetBevel(TStatusPanelBevel bevel) { Change(bevel_, bevel); }
void TStatusPanel::SetAlignment(TAlignment alignment) { Change(alignment_, alignment); }

std::unique_ptr<TCollectionItem> TStatusPanels::CreateItem() { return std::make_unique<TStatusPanel>(*this); }

TStatusBar::TStatusBar() : panels_(std::make_unique<TStatusPanels>()) {
  panels_->OnChange = [this] { PanelsChanged(); };
  SetHeight(19);
  SetAlign(TAlign::alBottom);
}

const TPropertyTable& TStatusBar::Properties() const {
  static const TPropertyTable table(&TControl::Properties(),
                                    {ObjectProperty("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels),
                                     BooleanProperty("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)});
  return table;
}

std::vector<std::pair<std::int32_t, std::int32_t>> TStatusBar::PanelEdges(std::int32_t barWidth) const {
  std::vector<std::pair<std::int32_t, std::int32_t>> edges;
  const std::int64_t count = panels_->Count();
  std::int32_t left = 0;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int32_t right = i + 1 == count ? std::max(left, barWidth) : left + panels_->Panel(i).Width();
    edges.emplace_back(left, right);
    left = right;
  }
  return edges;
}

void TStatusBar::SetPanels(TStatusPanels* panels) {
  if (panels != nullptr) panels_->Assign(*panels);
}

}  // namespace kalvero

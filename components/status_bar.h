#pragma once

// The model of a status bar divided into panels: the collection Panels of TStatusPanel items, each
// with its frame and the alignment of its text; the last panel reaches to the end of the bar.
// Controls may be placed on the bar (a picture in the first panel).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/collection.h"
#include "components/controls.h"

namespace kalvero {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel final : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection& collection) : TCollectionItem(collection) {}

  // Publishes Text, Width, Bevel and Alignment.
  const TPropertyTable& Properties() const override;
  void Assign(const TPersistent& source) override;

  std::string Text() const { return text_; }
  // Writing the text the panel already shows changes nothing and reports no change.
  void SetText(std::string text);
  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t width);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 private:
  template <class T>
  void Change(T& field, T value);

  std::string text_;
  std::int32_t width_ = 50;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TStatusPanels final : public TCollection {
 public:
  TStatusPanel& Panel(std::int64_t index) const { return static_cast<TStatusPanel&>(Item(index)); }

 protected:
  std::unique_ptr<TCollectionItem> CreateItem() override;
};

class TStatusBar : public TControl {
 public:
  // Kept along the bottom of its parent, 19 pixels high.
  TStatusBar();

  // Adds Panels and SizeGrip.
  const TPropertyTable& Properties() const override;

  TStatusPanels& Panels() const { return *panels_; }
  // Copies the panels of `panels`; nothing leaves them as they are.
  void SetPanels(TStatusPanels* panels);
  // The grip at the right end by which a sizeable window is resized.
  bool SizeGrip() const { return sizeGrip_; }
  virtual void SetSizeGrip(bool sizeGrip) { sizeGrip_ = sizeGrip; }

  // The left and right edge of each panel in a bar `barWidth` wide: each panel its Width, one
  // after the other, the last one stretched to the end of the bar.
  std::vector<std::pair<std::int32_t, std::int32_t>> PanelEdges(std::int32_t barWidth) const;

 protected:
  // Called after panels were added or removed or a panel's value changed.
  virtual void PanelsChanged() {}

 private:
  std::unique_ptr<TStatusPanels> panels_;
  bool sizeGrip_ = true;
};

}  // namespace kalvero

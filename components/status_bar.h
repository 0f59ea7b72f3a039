#pragma once

// The model of a status bar divided into panels: the collection Panels of TStatusPanel items.

#include <cstdint>
#include <memory>
#include <string>

#include "components/collection.h"
#include "components/controls.h"

namespace kalvero {

class TStatusPanel final : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection& collection) : TCollectionItem(collection) {}

  // Publishes Text and Width.
  const TPropertyTable& Properties() const override;
  void Assign(const TPersistent& source) override;

  std::string Text() const { return text_; }
  // Writing the text the panel already shows changes nothing and reports no change.
  void SetText(std::string text);
  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t width);

 private:
  std::string text_;
  std::int32_t width_ = 50;
};

class TStatusPanels final : public TCollection {
 public:
  TStatusPanel& Panel(std::int64_t index) const { return static_cast<TStatusPanel&>(Item(index)); }

 protected:
  std::unique_ptr<TCollectionItem> CreateItem() override;
};

class TStatusBar : public TControl {
 public:
  TStatusBar();

  // Adds Panels.
  const TPropertyTable& Properties() const override;

  TStatusPanels& Panels() const { return *panels_; }
  // Copies the panels of `panels`; nothing leaves them as they are.
  void SetPanels(TStatusPanels* panels);

 protected:
  // Called after panels were added or removed or a panel's value changed.
  virtual void PanelsChanged() {}

 private:
  std::unique_ptr<TStatusPanels> panels_;
};

}  // namespace kalvero

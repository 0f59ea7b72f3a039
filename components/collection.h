#pragma once

// Collections: lists of items of one class that a component keeps as a sub-object (the panels of
// a status bar). Items are reached by number, counted from 0, and publish properties of their own.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "components/persistent.h"

namespace kalvero {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  TCollection& Collection() const { return collection_; }
  // The item's number in its collection.
  std::size_t Index() const;

 protected:
  explicit TCollectionItem(TCollection& collection) : collection_(collection) {}
  // Tells the collection that a value of this item changed.
  void Changed();

 private:
  TCollection& collection_;
};

class TCollection : public TPersistent {
 public:
  // The most items a collection holds, so no script or description can exhaust memory.
  static constexpr std::int32_t kMaxCount = 4096;

  // Publishes Count (0 to kMaxCount), whose writing adds or removes items at the end.
  const TPropertyTable& Properties() const override;
  // Copies a collection of the same class: as many items, each copied with its Assign.
  void Assign(const TPersistent& source) override;

  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  void SetCount(std::int32_t count);

  // Throws ERangeError for an index outside 0 to Count() - 1.
  TCollectionItem& Item(std::int64_t index) const;
  TCollectionItem& Add();

  // Called after items are added or removed and after a value of an item changed.
  std::function<void()> OnChange;

 protected:
  TCollection() = default;
  virtual std::unique_ptr<TCollectionItem> CreateItem() = 0;

 private:
  friend class TCollectionItem;
  void Changed() const;

  std::vector<std::unique_ptr<TCollectionItem>> items_;
};

}  // namespace kalvero

#include "components/collection.h"

#include <string>
#include <typeinfo>

#include "components/property_kinds.h"

namespace kalvero {

std::size_t TCollectionItem::Index() const {
  std::size_t index = 0;
  while (&collection_.Item(static_cast<std::int64_t>(index)) != this) ++index;
  return index;
}

void TCollectionItem::Changed() { collection_.Changed(); }

const TPropertyTable& TCollection::Properties() const {
  static const TPropertyTable table(
      nullptr, {IntegerProperty("Count", &TCollection::Count, &TCollection::SetCount, {0, kMaxCount})});
  return table;
}

void TCollection::Assign(const TPersistent& source) {
  if (&source == this) return;
  if (typeid(source) != typeid(*this)) TPersistent::Assign(source);
  const auto& other = static_cast<const TCollection&>(source);
  SetCount(other.Count());
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->Assign(*other.items_[i]);
}

void TCollection::SetCount(std::int32_t count) {
  if (count < 0 || count > kMaxCount) throw ERangeError("A collection holds 0 to 4096 items");
  if (count == Count()) return;
  while (Count() > count) items_.pop_back();
  while (Count() < count) items_.push_back(CreateItem());
  Changed();
}

TCollectionItem& TCollection::Item(std::int64_t index) const {
  if (index < 0 || index >= Count())
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[static_cast<std::size_t>(index)];
}

TCollectionItem& TCollection::Add() {
  SetCount(Count() + 1);
  return *items_.back();
}

void TCollection::Changed() const {
  if (OnChange) OnChange();
}

}  // namespace kalvero

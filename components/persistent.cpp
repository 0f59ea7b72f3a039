#include "components/persistent.h"

#include <algorithm>

#include "platform/ascii_text.h"

namespace kalvero {

TPropertyTable::TPropertyTable(const TPropertyTable* base, std::vector<TPropertyInfoPtr> own) {
  if (base != nullptr) properties_ = base->properties_;
  // A property that a class publishes again takes the place of its base class's entry.
  for (auto& property : own) {
    const auto same = std::ranges::find_if(
        properties_, [&property](const TPropertyInfoPtr& known) { return SameTextAscii(known->Name(), property->Name()); });
    if (same != properties_.end())
      *same = std::move(property);
    else
      properties_.push_back(std::move(property));
  }
}

const TPropertyInfo* TPropertyTable::Find(std::string_view name) const {
  for (const auto& property : properties_)
    if (SameTextAscii(property->Name(), name)) return property.get();
  return nullptr;
}

void TPersistent::Assign(const TPersistent&) {
  throw EComponentError("An object of this class cannot be copied into this property");
}

bool SetPropertyFromText(TPersistent& object, std::string_view name, std::string_view value) {
  const TPropertyInfo* property = object.Properties().Find(name);
  if (property == nullptr) return false;
  property->SetText(object, value);
  return true;
}

std::optional<std::string> GetPropertyText(const TPersistent& object, std::string_view name) {
  const TPropertyInfo* property = object.Properties().Find(name);
  if (property == nullptr) return std::nullopt;
  return property->GetText(object);
}

}  // namespace kalvero

#include "components/persistent.h"

#include "platform/ascii_text.h"

namespace kalvero {

TPropertyTable::TPropertyTable(const TPropertyTable* base, std::vector<TPropertyInfo> own) {
  if (base != nullptr) properties_ = base->properties_;
  for (auto& property : own) properties_.push_back(std::move(property));
}

const TPropertyInfo* TPropertyTable::Find(std::string_view name) const {
  for (const auto& property : properties_)
    if (SameTextAscii(property.name, name)) return &property;
  return nullptr;
}

bool SetPropertyFromText(TPersistent& object, std::string_view name, const std::string& value) {
  const TPropertyInfo* property = object.Properties().Find(name);
  if (property == nullptr) return false;
  property->setText(object, value);
  return true;
}

}  // namespace kalvero

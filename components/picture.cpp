#include "components/picture.h"

#include "components/property_kinds.h"

namespace kalvero {

const TPropertyTable& TPicture::Properties() const {
  static const TPropertyTable table(nullptr, {TextProperty("Name", &TPicture::Name, &TPicture::SetName)});
  return table;
}

void TPicture::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TPicture*>(&source);
  if (other == nullptr) return TPersistent::Assign(source);
  SetName(other->name_);
}

void TPicture::SetName(std::string name) {
  if (name == name_) return;
  name_ = std::move(name);
  if (OnChange) OnChange();
}

}  // namespace kalvero

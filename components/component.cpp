#include "components/component.h"

#include <algorithm>

#include "components/property_kinds.h"
#include "platform/ascii_text.h"

namespace kalvero {

TComponent::~TComponent() {
  DestroyComponents();
  for (TComponent* observer : std::exchange(notified_, {})) {
    std::erase(observer->observed_, this);
    observer->Notification(*this);
  }
  for (TComponent* observed : observed_) std::erase(observed->notified_, this);
}

void TComponent::FreeNotification(TComponent& component) {
  if (&component == this || std::ranges::find(observed_, &component) != observed_.end()) return;
  observed_.push_back(&component);
  component.notified_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent& component) {
  std::erase(observed_, &component);
  std::erase(component.notified_, this);
}

const TPropertyTable& TComponent::Properties() const {
  static const TPropertyTable table(nullptr, {TextProperty("Name", &TComponent::NameText,
                                                           &TComponent::SetName)});
  return table;
}

std::string TComponent::NameText() const { return name_; }

void TComponent::SetName(std::string name) {
  if (owner_ != nullptr) owner_->CheckNameIsFree(name, this);
  name_ = std::move(name);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const auto& component : components_)
    if (SameTextAscii(component->name_, name)) return component.get();
  return nullptr;
}

TComponent& TComponent::Root() const {
  // The tree links owners by plain pointers, like Owner(); walking it changes nothing.
  const TComponent* node = this;
  while (node->owner_ != nullptr) node = node->owner_;
  return const_cast<TComponent&>(*node);
}

TComponent& TComponent::InsertComponent(std::unique_ptr<TComponent> component, std::string name) {
  CheckNameIsFree(name, nullptr);
  component->owner_ = this;
  component->name_ = std::move(name);
  TComponent& inserted = *components_.emplace_back(std::move(component));
  try {
    inserted.Inserted();
  } catch (...) {
    DestroyComponent(inserted);
    throw;
  }
  return inserted;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) DestroyComponent(*components_.back());
}

void TComponent::DestroyComponent(TComponent& component) {
  const auto found = std::ranges::find_if(components_, [&](const auto& owned) { return owned.get() == &component; });
  if (found == components_.end()) return;
  // Out of the list first, so nothing finds the component while it is destroyed.
  std::unique_ptr<TComponent> destroyed = std::move(*found);
  components_.erase(found);
}

void TComponent::CheckNameIsFree(std::string_view name, const TComponent* renamed) const {
  const TComponent* holder = FindComponent(name);
  if (holder != nullptr && holder != renamed)
    throw EComponentError("A component named " + std::string(name) + " already exists");
}

}  // namespace kalvero

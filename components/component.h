#pragma once

// The component model's core. A component has an owner and a name; the owner keeps every
// component it owns in one flat list in creation order and destroys them with itself. Names are
// unique among the components of one owner, compared with A-Z folded; any number of components
// may have the empty name, which no look-up finds.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "components/persistent.h"

namespace kalvero {

class TComponent : public TPersistent {
 public:
  TComponent() = default;
  ~TComponent() override;

  const TPropertyTable& Properties() const override;

  TComponent* Owner() const { return owner_; }

  const std::string& Name() const { return name_; }
  // Throws EComponentError, keeping the old name, when another component of the same owner
  // already bears the name.
  void SetName(std::string name);

  // Creates a component of class T owned by this one, at the end of its list, with that name.
  // Throws EComponentError for a duplicate name; then nothing is added.
  template <class T, class... Args>
  T& CreateComponent(std::string name, Args&&... args) {
    auto component = std::make_unique<T>(std::forward<Args>(args)...);
    T& created = *component;
    InsertComponent(std::move(component), std::move(name));
    return created;
  }

  // Makes this component the owner of `component`, at the end of its list, with that name, then
  // calls its Inserted. Throws EComponentError for a duplicate name, and passes on what Inserted
  // throws; then `component` is destroyed and nothing is added.
  TComponent& InsertComponent(std::unique_ptr<TComponent> component, std::string name);

  // Destroys a component this one owns, with everything it owns; a component owned by another
  // is left alone.
  void DestroyComponent(TComponent& component);

  std::size_t ComponentCount() const { return components_.size(); }
  TComponent& Component(std::size_t index) const { return *components_.at(index); }

  // The owned component of that name; null for the empty name or when there is none.
  TComponent* FindComponent(std::string_view name) const;

  // The top of the ownership tree this component belongs to: the application object, or the
  // component itself when it has no owner.
  TComponent& Root() const;

  // Called once a window has been built from its description, on every component of it in
  // component order, after the last property was set (components/window_builder.h).
  virtual void Loaded() {}

  // Asks to be told, through Notification, when `component` is destroyed, so that a reference to
  // it can be cleared. Either side may be destroyed first.
  void FreeNotification(TComponent& component);
  // Takes a request of FreeNotification back.
  void RemoveFreeNotification(TComponent& component);

 protected:
  // Called right after this component was added to its owner, which Owner() now answers. A
  // component that cannot live there throws, and is not added.
  virtual void Inserted() {}
  // Called when a component this one asked about (FreeNotification) is being destroyed.
  virtual void Notification(TComponent& /*destroyed*/) {}
  // Destroys every component this one owns, the last created first, so that no component outlives
  // one created before it. A class whose components need something of it while they go (a widget,
  // the application's hooks) calls it in its own destructor; ~TComponent calls it last.
  void DestroyComponents();

 private:
  std::string NameText() const;
  void CheckNameIsFree(std::string_view name, const TComponent* renamed) const;

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<std::unique_ptr<TComponent>> components_;
  // Who is told of this component's destruction, and whom this one asked.
  std::vector<TComponent*> notified_;
  std::vector<TComponent*> observed_;
};

}  // namespace kalvero

#include "components/keyboard_cue_fix.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "components/application.h"
#include "components/forms.h"
#include "components/property_kinds.h"

namespace kalvero {

const TPropertyTable& TKeyboardCueFix::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {BooleanProperty("RepaintAll", &TKeyboardCueFix::RepaintAll, &TKeyboardCueFix::SetRepaintAll)});
  return table;
}

void TKeyboardCueFix::Inserted() {
  if (!active_) return;
  if (TApplication* application = ApplicationOf(*this))
    application->AddIdleHandler(*this, [this, application] { Idle(*application); });
}

void TKeyboardCueFix::Notification(TComponent& destroyed) {
  std::erase_if(entries_, [&destroyed](const auto& entry) { return entry->window == &destroyed; });
}

bool TKeyboardCueFix::Tracks(const TForm& window) const {
  return std::ranges::any_of(entries_, [&window](const auto& entry) { return entry->window == &window; });
}

void TKeyboardCueFix::Track(TForm& window) {
  auto entry = std::make_shared<TEntry>(TEntry{&window, false});
  // The watch outlives neither side: a window gone is never called, this component gone is a
  // no-op through the expired entry.
  window.WatchKeyboardCues([weak = std::weak_ptr<TEntry>(entry)] {
    if (const auto alive = weak.lock()) alive->needsRepaint = true;
  });
  FreeNotification(window);
  entries_.push_back(std::move(entry));
}

void TKeyboardCueFix::Idle(const TApplication& application) {
  for (std::size_t i = 0; i < application.ComponentCount(); ++i) {
    auto* window = dynamic_cast<TForm*>(&application.Component(i));
    if (window != nullptr && !Tracks(*window)) Track(*window);
  }
  for (const auto& entry : entries_) {
    if (!std::exchange(entry->needsRepaint, false)) continue;
    if (repaintAll_)
      entry->window->RepaintAll();
    else
      entry->window->Repaint();
  }
}

}  // namespace kalvero

#include "components/keyboard_cue_fix.h"

#include <algorithm>

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
  if (TApplication* application = ApplicationOf(*this)) application->AddIdleHandler(*this, [this] { Idle(); });
}

void TKeyboardCueFix::Idle() {
  if (!active_) return;
  TApplication* application = ApplicationOf(*this);
  if (application == nullptr) return;
  for (const auto& entry : entries_) entry->seen = false;
  for (std::size_t i = 0; i < application->ComponentCount(); ++i) {
    auto* window = dynamic_cast<TForm*>(&application->Component(i));
    if (window == nullptr) continue;
    const auto tracked = std::ranges::find(entries_, window, [](const auto& entry) { return entry->window; });
    if (tracked != entries_.end()) {
      (*tracked)->seen = true;
      continue;
    }
    auto entry = std::make_shared<TEntry>(TEntry{window, true, false});
    // The watch outlives neither side: a window gone is never called, this component gone is a
    // no-op through the expired entry.
    window->WatchKeyboardCues([weak = std::weak_ptr<TEntry>(entry)] {
      if (const auto alive = weak.lock()) alive->needsRepaint = true;
    });
    entries_.push_back(std::move(entry));
  }
  for (auto it = entries_.rbegin(); it != entries_.rend();) {
    TEntry& entry = **it;
    if (!entry.seen) {
      it = decltype(it)(entries_.erase(std::next(it).base()));
      continue;
    }
    if (entry.needsRepaint) {
      entry.needsRepaint = false;
      if (repaintAll_)
        entry.window->RepaintAll();
      else
        entry.window->Repaint();
    }
    ++it;
  }
}

}  // namespace kalvero

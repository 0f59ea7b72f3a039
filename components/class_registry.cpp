#include "components/class_registry.h"

#include <algorithm>

#include "components/forms.h"
#include "components/image_controls.h"
#include "components/keyboard_cue_fix.h"
#include "components/manifest.h"
#include "components/progress_bar.h"
#include "components/status_bar.h"
#include "platform/ascii_text.h"

namespace kalvero {

void TClassRegistry::Add(std::string className, TFactory factory) {
  const auto same = [&](const TEntry& entry) { return SameTextAscii(entry.className, className); };
  if (const auto found = std::ranges::find_if(entries_, same); found != entries_.end())
    found->factory = std::move(factory);
  else
    entries_.push_back({std::move(className), std::move(factory)});
}

std::unique_ptr<TComponent> TClassRegistry::Create(std::string_view className) const {
  for (const TEntry& entry : entries_)
    if (SameTextAscii(entry.className, className)) return entry.factory();
  throw EComponentError("Class " + std::string(className) + " is not registered");
}

void RegisterStandardControls(TClassRegistry& registry) {
  registry.Register<TForm>("TForm");
  registry.Register<TLabel>("TLabel");
  registry.Register<TEdit>("TEdit");
  registry.Register<TCheckBox>("TCheckBox");
  registry.Register<TButton>("TButton");
  registry.Register<TSpeedButton>("TSpeedButton");
  registry.Register<TGroupBox>("TGroupBox");
  registry.Register<TPanel>("TPanel");
  registry.Register<TStatusBar>("TStatusBar");
  registry.Register<TStatusBar>("TPanelStatusBar");
  registry.Register<TImage>("TImage");
  registry.Register<TImageList>("TImageList");
  registry.Register<TProgressBar>("TProgressBar");
  registry.Register<TKeyboardCueFix>("TKeyboardCueFix");
  registry.Register<TManifest>("TManifest");
}

}  // namespace kalvero

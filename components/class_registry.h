#pragma once

// The classes that window descriptions may name: class name to factory.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/component.h"

namespace kalvero {

class TClassRegistry {
 public:
  using TFactory = std::function<std::unique_ptr<TComponent>()>;

  // Registers `className` (compared with A-Z folded). A later registration of the same name
  // replaces the earlier one, so the Qt-backed layer can put its controls in place of the models.
  void Add(std::string className, TFactory factory);

  template <class T>
  void Register(std::string className) {
    Add(std::move(className), [] { return std::make_unique<T>(); });
  }

  // A new, unowned component of that class. Throws EComponentError for a class never registered.
  std::unique_ptr<TComponent> Create(std::string_view className) const;

 private:
  struct TEntry {
    std::string className;
    TFactory factory;
  };
  std::vector<TEntry> entries_;
};

// Registers the model classes of components/: TForm, TLabel, TEdit, TCheckBox, TButton,
// TSpeedButton, TGroupBox, TPanel, TStatusBar (also as TPanelStatusBar), TImage, TImageList,
// TProgressBar, TKeyboardCueFix and TManifest.
void RegisterStandardControls(TClassRegistry& registry);

}  // namespace kalvero

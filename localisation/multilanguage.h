#pragma once

// Language components. A TMultilanguage holds one language script, applies the entries of the
// language in force to the components of its owner and answers message look-ups by key. A
// TMultilanguageSync holds the one language of the whole program: while one exists in the
// ownership tree, every TMultilanguage reads its language from the first of them, and writing
// a language re-translates every script of the program.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "components/class_registry.h"
#include "components/component.h"
#include "components/string_list.h"
#include "localisation/multilanguage_utils.h"

namespace kalvero {

class TMultilanguageSync;

class TMultilanguage final : public TComponent {
 public:
  TMultilanguage();

  // Publishes Language (text) and Script (a string list).
  const TPropertyTable& Properties() const override;

  // The language in force: the first synchroniser's, or this component's own value when the tree
  // holds no synchroniser.
  std::string Language() const;
  // Keeps `name` as the own value, then writes it to the first synchroniser (which re-translates
  // every script of the program) or, without one, translates this component. Any text is taken.
  void SetLanguage(std::string name);

  const TTextLines& Script() const { return script_->Lines(); }
  // Copies the lines into the component's script, then translates.
  void SetScript(TTextLines lines);
  // The script as the published string list. A description or a script entry that writes
  // Script replaces the lines of this list and translates nothing (a window translates once it
  // is built); writing the property with another list is SetScript (null changes nothing).
  TStringList& ScriptList() const { return *script_; }
  void SetScriptList(TStringList* lines);

  // The entry lines of the section the last Translate selected.
  const TTextLines& CurrentLines() const { return currentLines_; }

  // Selects the section of the language in force, applies its entries to the owner and then
  // calls OnTranslate. An error of an entry (components/persistent.h) ends the translation there:
  // the entries after it are not applied, OnTranslate is not called, and the error passes on.
  // A Translate started while this component is translating (an entry or OnTranslate handler that
  // writes this component's Language or Script) does nothing, so such a script cannot recurse
  // without end; the value written is kept.
  void Translate();

  // The window this component belongs to has been built: translates once more.
  void Loaded() override { Translate(); }

  // The value of the first current entry named exactly `key` (case-sensitive); empty if none.
  std::string GetText(std::string_view key) const;

  std::function<void(TMultilanguage& sender)> OnTranslate;

 private:
  std::string language_;
  std::unique_ptr<TStringList> script_;
  TTextLines currentLines_;
  bool translating_ = false;
};

class TMultilanguageSync final : public TComponent {
 public:
  // Publishes Language.
  const TPropertyTable& Properties() const override;

  std::string Language() const { return language_; }
  // Stores the name and re-translates every TMultilanguage of the program.
  void SetLanguage(std::string name);

 private:
  std::string language_;
};

// The first synchroniser of a depth-first walk of the components below `root`; null if none.
TMultilanguageSync* FindSync(const TComponent& root);

// Runs Translate on every TMultilanguage below `root`, in tree order, without looking inside them.
// An error of one translation ends the walk and passes on.
void RetranslateAll(TComponent& root);

// Registers TMultilanguage and TMultilanguageSync for window descriptions.
void RegisterLanguageClasses(TClassRegistry& registry);

}  // namespace kalvero

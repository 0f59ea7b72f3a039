#pragma once

// Language components. A TMultilanguage holds one language script, applies the entries of the
// language in force to the components of its owner and answers message look-ups by key. A
// TMultilanguageSync holds the one language of the whole program: while one exists in the
// ownership tree, every TMultilanguage reads its language from the first of them, and writing
// a language re-translates every script of the program.

#include <functional>
#include <string>
#include <string_view>

#include "components/component.h"
#include "localisation/multilanguage_utils.h"

namespace kalvero {

class TMultilanguageSync;

class TMultilanguage final : public TComponent {
 public:
  const TPropertyTable& Properties() const override;

  // The language in force: the first synchroniser's, or this component's own value when the tree
  // holds no synchroniser.
  std::string Language() const;
  // Keeps `name` as the own value, then writes it to the first synchroniser (which re-translates
  // every script of the program) or, without one, translates this component. Any text is taken.
  void SetLanguage(std::string name);

  const TTextLines& Script() const { return script_; }
  void SetScript(TTextLines lines);

  // The entry lines of the section the last Translate selected.
  const TTextLines& CurrentLines() const { return currentLines_; }

  // Selects the section of the language in force, applies its entries to the owner and then
  // calls OnTranslate.
  void Translate();

  // The value of the first current entry named exactly `key` (case-sensitive); empty if none.
  std::string GetText(std::string_view key) const;

  std::function<void(TMultilanguage& sender)> OnTranslate;

 private:
  std::string language_;
  TTextLines script_;
  TTextLines currentLines_;
};

class TMultilanguageSync final : public TComponent {
 public:
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
void RetranslateAll(TComponent& root);

}  // namespace kalvero

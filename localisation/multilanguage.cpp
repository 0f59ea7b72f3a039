#include "localisation/multilanguage.h"

#include "components/property_kinds.h"

namespace kalvero {

TMultilanguage::TMultilanguage() : script_(std::make_unique<TStringList>()) {}

const TPropertyTable& TMultilanguage::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {TextProperty("Language", &TMultilanguage::Language, &TMultilanguage::SetLanguage),
       ObjectProperty("Script", &TMultilanguage::ScriptList, &TMultilanguage::SetScriptList)});
  return table;
}

std::string TMultilanguage::Language() const {
  if (const TMultilanguageSync* sync = FindSync(Root())) return sync->Language();
  return language_;
}

void TMultilanguage::SetLanguage(std::string name) {
  TMultilanguageSync* sync = FindSync(Root());
  language_ = name;
  if (sync != nullptr)
    sync->SetLanguage(std::move(name));
  else
    Translate();
}

void TMultilanguage::SetScript(TTextLines lines) {
  script_->SetLines(std::move(lines));
  Translate();
}

void TMultilanguage::SetScriptList(TStringList* lines) {
  if (lines != nullptr) SetScript(lines->Lines());
}

namespace {

// Marks a component as translating for the length of one Translate, errors included.
class TTranslatingScope {
 public:
  explicit TTranslatingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TTranslatingScope() { flag_ = false; }
  TTranslatingScope(const TTranslatingScope&) = delete;
  TTranslatingScope& operator=(const TTranslatingScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TMultilanguage::Translate() {
  if (translating_) return;
  const TTranslatingScope scope(translating_);
  ExtractSection(script_->Lines(), currentLines_, Language());
  if (Owner() != nullptr) ApplyEntries(*Owner(), currentLines_);
  if (OnTranslate) OnTranslate(*this);
}

std::string TMultilanguage::GetText(std::string_view key) const {
  for (const std::string& line : currentLines_) {
    auto entry = SplitEntry(line);
    if (entry && entry->name == key) return std::move(entry->value);
  }
  return {};
}

const TPropertyTable& TMultilanguageSync::Properties() const {
  static const TPropertyTable table(
      &TComponent::Properties(),
      {TextProperty("Language", &TMultilanguageSync::Language, &TMultilanguageSync::SetLanguage)});
  return table;
}

void TMultilanguageSync::SetLanguage(std::string name) {
  language_ = std::move(name);
  RetranslateAll(Root());
}

TMultilanguageSync* FindSync(const TComponent& root) {
  for (std::size_t i = 0; i < root.ComponentCount(); ++i) {
    TComponent& component = root.Component(i);
    if (auto* sync = dynamic_cast<TMultilanguageSync*>(&component)) return sync;
    if (TMultilanguageSync* inner = FindSync(component)) return inner;
  }
  return nullptr;
}

void RetranslateAll(TComponent& root) {
  // Indexes, not iterators: a translation may create components.
  for (std::size_t i = 0; i < root.ComponentCount(); ++i) {
    TComponent& component = root.Component(i);
    if (auto* multilanguage = dynamic_cast<TMultilanguage*>(&component))
      multilanguage->Translate();
    else
      RetranslateAll(component);
  }
}

void RegisterLanguageClasses(TClassRegistry& registry) {
  registry.Register<TMultilanguage>("TMultilanguage");
  registry.Register<TMultilanguageSync>("TMultilanguageSync");
}

}  // namespace kalvero

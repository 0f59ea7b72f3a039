#include "localisation/multilanguage_utils.h"

#include "components/charsets.h"
#include "components/colors.h"
#include "components/cursors.h"
#include "components/number_text.h"
#include "components/property_kinds.h"
#include "components/property_path.h"
#include "platform/ascii_text.h"

namespace kalvero {

void ExtractSection(const TTextLines& script, TTextLines& destination, std::string_view language) {
  destination.clear();
  const std::string wanted = AsciiLowerCase(language);
  std::string section;
  for (const std::string& rawLine : script) {
    const std::string_view line = TrimControl(rawLine);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      section = close == std::string_view::npos ? std::string() : AsciiLowerCase(line.substr(1, close - 1));
    } else if (section == wanted) {
      destination.emplace_back(line);
    }
  }
}

namespace {

std::string ExpandLineBreaks(std::string_view value) {
  std::string expanded;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
      expanded += "\r\n";
      ++i;
    } else {
      expanded += value[i];
    }
  }
  return expanded;
}

}  // namespace

std::optional<TScriptEntry> SplitEntry(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view value = TrimControl(line.substr(equals + 1));
  if (!value.empty() && value.front() == '\'' && value.back() == '\'') {
    value = value.size() == 1 ? std::string_view() : value.substr(1, value.size() - 2);
  }
  return TScriptEntry{std::string(TrimControl(line.substr(0, equals))), ExpandLineBreaks(value)};
}

TPersistent* ResolvePath(TComponent& root, std::string_view path) {
  TComponent* current = &root;
  while (!path.empty()) {
    const std::size_t dot = path.find('.');
    TComponent* found = current->FindComponent(path.substr(0, dot));
    if (found == nullptr) break;
    current = found;
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  }
  return ResolvePropertyPath(*current, path);
}

namespace {

void SetObjectFromValue(TComponent& owner, TPersistent& target, const TObjectPropertyInfo& property,
                        const std::string& value) {
  if (auto* lines = dynamic_cast<TStringList*>(property.Get(target))) return lines->SetText(value);
  TPersistent* found = ResolvePath(owner, value);
  if (found == nullptr || property.Accepts(*found)) property.Set(target, found);
}

void SetPropertyFromValue(TComponent& owner, TPersistent& target, std::string_view name, const std::string& value) {
  const TPropertyInfo* property = target.Properties().Find(name);
  if (property == nullptr) return;
  if (const auto* integer = dynamic_cast<const TIntegerPropertyInfo*>(property)) {
    if (const auto number = ParseIntegerValue(value)) integer->Set(target, *number);
  } else if (const auto* object = dynamic_cast<const TObjectPropertyInfo*>(property)) {
    SetObjectFromValue(owner, target, *object, value);
  } else {
    property->SetText(target, value);
  }
}

}  // namespace

void SetPropertyByPath(TComponent& owner, std::string_view name, const std::string& value) {
  const std::size_t dot = name.rfind('.');
  const std::string_view path = dot == std::string_view::npos ? std::string_view() : name.substr(0, dot);
  const std::string_view property = dot == std::string_view::npos ? name : name.substr(dot + 1);
  if (TPersistent* target = ResolvePath(owner, path)) SetPropertyFromValue(owner, *target, property, value);
}

void ApplyEntries(TComponent& owner, const TTextLines& lines) {
  for (const std::string& line : lines)
    if (const auto entry = SplitEntry(line)) SetPropertyByPath(owner, entry->name, entry->value);
}

std::optional<std::int32_t> ParseIntegerValue(std::string_view text) {
  if (const auto number = ParseWholeNumber(text)) return number;
  for (const TIdentTable table : {CursorNames(), ColorNames(), CharsetNames()})
    if (const auto value = IdentToInt(table, text)) return value;
  if (text.starts_with('#')) return ParseHexDigits(text.substr(1));
  return std::nullopt;
}

}  // namespace kalvero

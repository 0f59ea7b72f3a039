#include "localisation/multilanguage_utils.h"

#include "components/component.h"
#include "platform/ascii_text.h"

namespace kalvero {

TTextLines SplitLines(std::string_view text) {
  TTextLines lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

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

TComponent* ResolvePath(TComponent& root, std::string_view path) {
  TComponent* current = &root;
  while (!path.empty()) {
    const std::size_t dot = path.find('.');
    current = current->FindComponent(path.substr(0, dot));
    if (current == nullptr) return nullptr;
    path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  }
  return current;
}

void SetPropertyByPath(TComponent& owner, std::string_view name, const std::string& value) {
  const std::size_t dot = name.rfind('.');
  const std::string_view path = dot == std::string_view::npos ? std::string_view() : name.substr(0, dot);
  const std::string_view property = dot == std::string_view::npos ? name : name.substr(dot + 1);
  if (TComponent* target = ResolvePath(owner, path)) SetPropertyFromText(*target, property, value);
}

void ApplyEntries(TComponent& owner, const TTextLines& lines) {
  for (const std::string& line : lines)
    if (const auto entry = SplitEntry(line)) SetPropertyByPath(owner, entry->name, entry->value);
}

}  // namespace kalvero

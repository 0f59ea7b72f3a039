#include "components/property_kinds.h"

#include <algorithm>
#include <stdexcept>

#include "components/component.h"
#include "components/number_text.h"
#include "components/string_list.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

[[noreturn]] void ThrowInvalid(std::string_view text, const TPropertyInfo& property) {
  throw EComponentError(Quoted(text) + " is not a valid value of property " + property.Name());
}

std::optional<int> FindValueName(std::span<const std::string_view> names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (SameTextAscii(names[i], name)) return static_cast<int>(i);
  return std::nullopt;
}

// The bit mask of the set text "[a, b]"; nullopt when malformed or a name is unknown.
std::optional<std::uint32_t> ParseSetText(std::span<const std::string_view> names, std::string_view text) {
  if (!text.starts_with('[') || !text.ends_with(']')) return std::nullopt;
  const std::string_view inner = text.substr(1, text.size() - 2);
  std::uint32_t mask = 0;
  if (TrimControl(inner).empty()) return mask;
  for (std::size_t start = 0; start <= inner.size();) {
    const std::size_t comma = std::min(inner.find(',', start), inner.size());
    const auto value = FindValueName(names, TrimControl(inner.substr(start, comma - start)));
    if (!value) return std::nullopt;
    mask |= std::uint32_t{1} << *value;
    start = comma + 1;
  }
  return mask;
}

}  // namespace

TIntegerPropertyInfo::TIntegerPropertyInfo(std::string name, TIntegerRange range, TIdentTable names, TGetter get,
                                           TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Integer), range_(range), names_(names),
      get_(std::move(get)), set_(std::move(set)) {}

void TIntegerPropertyInfo::Set(TPersistent& object, std::int64_t value) const {
  if (value < range_.min || value > range_.max) {
    throw ERangeError(std::to_string(value) + " is not within the range of property " + Name() + " (" +
                      std::to_string(range_.min) + " to " + std::to_string(range_.max) + ")");
  }
  set_(object, static_cast<std::int32_t>(value));
}

std::string TIntegerPropertyInfo::GetText(const TPersistent& object) const {
  const std::int32_t value = Get(object);
  if (const auto name = IntToIdent(names_, value)) return std::string(*name);
  return std::to_string(value);
}

void TIntegerPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  auto value = ParseWholeNumber(text);
  if (!value) value = IdentToInt(names_, text);
  if (!value) ThrowInvalid(text, *this);
  Set(object, *value);
}

TTextPropertyInfo::TTextPropertyInfo(std::string name, TGetter get, TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Text), get_(std::move(get)), set_(std::move(set)) {}

void TTextPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  set_(object, std::string(text));
}

TEnumPropertyInfo::TEnumPropertyInfo(std::string name, std::span<const std::string_view> names, TGetter get,
                                     TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Enumeration), names_(names), get_(std::move(get)),
      set_(std::move(set)) {}

void TEnumPropertyInfo::Set(TPersistent& object, int value) const {
  if (value < 0 || static_cast<std::size_t>(value) >= names_.size())
    throw ERangeError(std::to_string(value) + " is no value of property " + Name());
  set_(object, value);
}

std::string TEnumPropertyInfo::GetText(const TPersistent& object) const {
  const int value = Get(object);
  if (value < 0 || static_cast<std::size_t>(value) >= names_.size()) return std::to_string(value);
  return std::string(names_[static_cast<std::size_t>(value)]);
}

void TEnumPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  const auto value = FindValueName(names_, text);
  if (!value) ThrowInvalid(text, *this);
  set_(object, *value);
}

TSetPropertyInfo::TSetPropertyInfo(std::string name, std::span<const std::string_view> names, TGetter get,
                                   TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Set), names_(names), get_(std::move(get)),
      set_(std::move(set)) {
  if (names_.size() > 32) throw std::invalid_argument("A set property holds at most 32 values");
}

void TSetPropertyInfo::Set(TPersistent& object, std::uint32_t mask) const {
  if (names_.size() < 32 && (mask >> names_.size()) != 0)
    throw ERangeError("The set holds a value that property " + Name() + " does not have");
  set_(object, mask);
}

std::string TSetPropertyInfo::GetText(const TPersistent& object) const {
  const std::uint32_t mask = Get(object);
  std::string text = "[";
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if ((mask >> i & 1) == 0) continue;
    if (text.size() > 1) text += ',';
    text += names_[i];
  }
  return text + "]";
}

void TSetPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  const auto mask = ParseSetText(names_, text);
  if (!mask) ThrowInvalid(text, *this);
  set_(object, *mask);
}

TFloatPropertyInfo::TFloatPropertyInfo(std::string name, TGetter get, TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Float), get_(std::move(get)), set_(std::move(set)) {}

std::string TFloatPropertyInfo::GetText(const TPersistent& object) const { return FormatFloat(Get(object)); }

void TFloatPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  const auto value = ParseFloatText(text);
  if (!value) ThrowInvalid(text, *this);
  set_(object, *value);
}

TObjectPropertyInfo::TObjectPropertyInfo(std::string name, TClassCheck isOfClass, TGetter get, TSetter set)
    : TPropertyInfo(std::move(name), TPropertyKind::Object), isOfClass_(std::move(isOfClass)),
      get_(std::move(get)), set_(std::move(set)) {}

void TObjectPropertyInfo::Set(TPersistent& object, TPersistent* value) const {
  if (value != nullptr && !Accepts(*value))
    throw EComponentError("The object is not of the class of property " + Name());
  set_(object, value);
}

std::string TObjectPropertyInfo::GetText(const TPersistent& object) const {
  const TPersistent* held = Get(object);
  if (const auto* lines = dynamic_cast<const TStringList*>(held)) return lines->Text();
  if (const auto* component = dynamic_cast<const TComponent*>(held)) return component->Name();
  return {};
}

void TObjectPropertyInfo::SetText(TPersistent& object, std::string_view text) const {
  auto* lines = dynamic_cast<TStringList*>(Get(object));
  if (lines == nullptr) throw EComponentError("Property " + Name() + " cannot be set from a text");
  lines->SetText(text);
}

}  // namespace kalvero

#include "components/ident_table.h"

#include "platform/ascii_text.h"

namespace kalvero {

std::optional<std::int32_t> IdentToInt(TIdentTable table, std::string_view name) {
  for (const TIdentEntry& entry : table)
    if (SameTextAscii(entry.name, name)) return entry.value;
  return std::nullopt;
}

std::optional<std::string_view> IntToIdent(TIdentTable table, std::int32_t value) {
  for (const TIdentEntry& entry : table)
    if (entry.value == value) return entry.name;
  return std::nullopt;
}

}  // namespace kalvero

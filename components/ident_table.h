#pragma once

// Tables of named integer constants (colours, cursors, character sets): integer properties accept
// these names in their text form and print their values by name.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kalvero {

struct TIdentEntry {
  std::string_view name;
  std::int32_t value;
};

using TIdentTable = std::span<const TIdentEntry>;

// The value of the entry of that name, letters A-Z compared without regard to case.
std::optional<std::int32_t> IdentToInt(TIdentTable table, std::string_view name);

// The name of the first entry with that value.
std::optional<std::string_view> IntToIdent(TIdentTable table, std::int32_t value);

}  // namespace kalvero

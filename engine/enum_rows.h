#pragma once

// Tables with a row per value of an enumeration, found by the value itself.

#include <cstddef>

namespace kalvero {

// Whether row i of `table` is the row of the enumerator whose value is i, so that the row of a
// value is table[value]. For a static_assert beside the table.
template <class Table>
constexpr bool RowsInEnumOrder(const Table& table) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (static_cast<std::size_t>(table[i].reason) != i) return false;
  return true;
}

}  // namespace kalvero

#include "metadata/tag_catalogue.h"

#include <algorithm>
#include <vector>

#include "metadata/tag_table.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

std::vector<TTagEntry> BuildTable(std::span<const TCatalogueRow> rows) {
  std::vector<TTagEntry> table;
  table.reserve(rows.size());
  for (const TCatalogueRow& row : rows) {
    TTagEntry& entry = table.emplace_back();
    entry.tag = row.tag;
    entry.name = row.name;
    entry.description = row.description.empty() ? SplitWords(row.name) : std::string(row.description);
    entry.codes = row.codes;
    entry.formatString = row.formatString;
    entry.decoder = row.decoder;
  }
  return table;
}

const std::vector<TTagEntry>& MainTable() {
  static const std::vector<TTagEntry> table = BuildTable(MainTagRows());
  return table;
}

const std::vector<TTagEntry>& GpsTable() {
  static const std::vector<TTagEntry> table = BuildTable(GpsTagRows());
  return table;
}

// The main table without its closing "Unknown" row.
std::span<const TTagEntry> MainTagEntries() { return std::span(MainTable()).first(MainTable().size() - 1); }

}  // namespace

std::span<const TTagEntry> MainCatalogue() { return MainTable(); }

std::span<const TTagEntry> GpsCatalogue() { return GpsTable(); }

TTagEntry FindTagById(std::uint16_t tag, int kind) {
  std::span<const TTagEntry> rows;
  if (kind == kMainDirectory) rows = MainTagEntries();
  if (kind == kGpsDirectory) rows = GpsTable();
  const auto found = std::ranges::find(rows, tag, &TTagEntry::tag);
  return found != rows.end() ? *found : MainTable().back();
}

int CatalogueIndex(std::string_view name) {
  const auto rows = MainTagEntries();
  const auto found = std::ranges::find_if(rows, [name](const TTagEntry& row) { return SameTextAscii(row.name, name); });
  return found != rows.end() ? static_cast<int>(found - rows.begin()) : -1;
}

std::string SplitWords(std::string_view name) {
  std::string words;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (i > 0 && IsCapital(name[i]) && !IsCapital(name[i - 1])) words += ' ';
    words += name[i];
  }
  return words;
}

}  // namespace kalvero

#include "metadata/tag_catalogue.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "metadata/tag_table.h"
#include "platform/ascii_text.h"

namespace kalvero {
namespace {

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

// One table of the catalogue, with the display names made for it and an index by tag number.
class TCatalogueTable {
 public:
  explicit TCatalogueTable(std::span<const TCatalogueRow> rows) {
    entries_.reserve(rows.size());
    for (const TCatalogueRow& row : rows) {
      TTagEntry& entry = entries_.emplace_back();
      entry.tag = row.tag;
      entry.name = row.name;
      entry.description = row.description.empty() ? madeNames_.emplace_back(SplitWords(row.name)) : row.description;
      entry.codes = row.codes;
      entry.formatString = row.formatString;
      entry.decoder = row.decoder;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) byTag_.push_back({entries_[i].tag, i});
    // Stable, so that of two rows with one tag number the first in table order is found.
    std::ranges::stable_sort(byTag_, {}, &TTagIndex::tag);
  }

  std::span<const TTagEntry> Entries() const { return entries_; }

  // The first row of `tag` among the first `count` rows; null when there is none.
  const TTagEntry* Find(std::uint16_t tag, std::size_t count) const {
    auto found = std::ranges::lower_bound(byTag_, tag, {}, &TTagIndex::tag);
    for (; found != byTag_.end() && found->tag == tag; ++found)
      if (found->row < count) return &entries_[found->row];
    return nullptr;
  }

 private:
  struct TTagIndex {
    std::uint16_t tag;
    std::size_t row;
  };

  std::vector<TTagEntry> entries_;
  std::deque<std::string> madeNames_;  // the display names the entries view; a deque never moves them
  std::vector<TTagIndex> byTag_;
};

const TCatalogueTable& MainTable() {
  static const TCatalogueTable table(MainTagRows());
  return table;
}

const TCatalogueTable& GpsTable() {
  static const TCatalogueTable table(GpsTagRows());
  return table;
}

// The main table without its closing "Unknown" row.
std::span<const TTagEntry> MainTagEntries() { return MainTable().Entries().first(MainTable().Entries().size() - 1); }

}  // namespace

std::span<const TTagEntry> MainCatalogue() { return MainTable().Entries(); }

std::span<const TTagEntry> GpsCatalogue() { return GpsTable().Entries(); }

const TTagEntry& FindTagById(std::uint16_t tag, int kind) {
  const TTagEntry* found = nullptr;
  if (kind == kMainDirectory) found = MainTable().Find(tag, MainTagEntries().size());
  if (kind == kGpsDirectory) found = GpsTable().Find(tag, GpsTable().Entries().size());
  return found != nullptr ? *found : MainTable().Entries().back();
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

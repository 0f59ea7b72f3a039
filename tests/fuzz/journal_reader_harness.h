#pragma once

// What the journal reader's fuzz target runs on one input, shared with the unit test that replays
// its seeds: the reader, and the unescaping it rests on, must take any bytes without a fault, and
// a text that unescapes must escape back to itself.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"

namespace kalvero {

inline bool ReadJournalFuzzInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::istringstream stream{std::string(text)};
  std::string error;
  const auto journal = ReadJournal(stream, error);
  if (journal.has_value() != error.empty()) return false;
  const auto bytes = Unescaped(text);
  return !bytes || Escaped(*bytes) == text;
}

}  // namespace kalvero

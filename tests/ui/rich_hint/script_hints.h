#pragma once

// The hint texts as the main window's script holds them, read with the language functions.

#include <string>

#include "localisation/multilanguage_utils.h"
#include "localisation/window_scripts.h"

namespace kalvero {

inline std::string ScriptHint(const std::string& language, const std::string& key) {
  TTextLines section;
  ExtractSection(MainWindowScript(), section, language);
  for (const std::string& line : section)
    if (const auto entry = SplitEntry(line); entry && entry->name == key) return entry->value;
  return {};
}

}  // namespace kalvero

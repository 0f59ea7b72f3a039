#pragma once

// The hint texts as the main window's script holds them, read with the language functions.

#include <string>

#include "localisation/multilanguage_utils.h"
#include "localisation/window_scripts.h"

namespace kalvero {

// The hints of the script, the file-name and the folder-name pattern field's in each language, with
// their lines: one a token and, for file names, an empty one before the last.
struct TScriptHint {
  std::string name;
  std::string language;
  std::string key;
  int lines;
};
inline const TScriptHint kScriptHintTexts[] = {
    {"GermanFileNames", "German", "edit1hint", 8},    {"GermanFolderNames", "German", "edit2hint", 3},
    {"EnglishFileNames", "English", "edit1hint", 8},  {"EnglishFolderNames", "English", "edit2hint", 3},
    {"FrenchFileNames", "French", "edit1hint", 8},    {"FrenchFolderNames", "French", "edit2hint", 3},
    {"SpanishFileNames", "Spanish", "edit1hint", 8},  {"SpanishFolderNames", "Spanish", "edit2hint", 3}};

inline std::string ScriptHint(const std::string& language, const std::string& key) {
  TTextLines section;
  ExtractSection(MainWindowScript(), section, language);
  for (const std::string& line : section)
    if (const auto entry = SplitEntry(line); entry && entry->name == key) return entry->value;
  return {};
}

}  // namespace kalvero

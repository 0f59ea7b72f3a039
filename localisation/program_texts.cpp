#include "localisation/program_texts.h"

#include "localisation/multilanguage_utils.h"

namespace kalvero {

extern const std::string_view kProgramScript;

TTextLines ProgramScript() { return SplitLines(kProgramScript); }

std::string ProgramText(std::string_view language, std::string_view key) {
  TTextLines lines;
  ExtractSection(ProgramScript(), lines, language);
  for (const std::string& line : lines)
    if (const auto entry = SplitEntry(line); entry && entry->name == key) return entry->value;
  return {};
}

}  // namespace kalvero

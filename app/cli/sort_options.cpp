#include "app/cli/sort_options.h"

#include <span>

#include "engine/name_patterns.h"
#include "localisation/multilanguage_utils.h"
#include "localisation/window_scripts.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

// The folder name pattern field takes at most this many characters.
constexpr std::size_t kFolderPatternMaxLength = 10;

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

bool HoldsRefusedKey(const std::string& pattern) {
  for (const char c : pattern)
    if (FilterPatternKey(static_cast<unsigned char>(c)) == U'\0') return true;
  return false;
}

bool IsKnownLanguage(const std::string& language) {
  TTextLines lines;
  ExtractSection(MainWindowScript(), lines, language);
  return !lines.empty();
}

// Reads "--name VALUE" or "--name=VALUE"; answers whether the argument was that option.
bool ReadValue(std::span<const std::string> rest, std::size_t& index, const std::string& name, std::string& value,
               std::string& error) {
  const std::string& argument = rest[index];
  if (argument.starts_with(name + "=")) {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument != name) return false;
  if (index + 1 >= rest.size()) {
    error = name + " needs a value";
    return true;
  }
  value = rest[++index];
  return true;
}

}  // namespace

std::optional<TSortOptions> ParseSortOptions(const std::vector<std::string>& arguments, std::string& error) {
  TSortOptions options;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < arguments.size() && error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (ReadValue(arguments, i, "--pattern", options.filePattern, error) ||
        ReadValue(arguments, i, "--folder-pattern", options.folderPattern, error) ||
        ReadValue(arguments, i, "--language", options.language, error))
      continue;
    if (argument == "--date-folders" || argument == "--no-date-folders")
      options.dateFolders = argument == "--date-folders";
    else if (argument == "--subfolders" || argument == "--no-subfolders")
      options.subfolders = argument == "--subfolders";
    else if (argument == "--yes")
      options.answerYes = true;
    else if (argument.starts_with("--"))
      error = "unknown option " + argument;
    else
      folders.push_back(argument);
  }
  if (error.empty() && folders.size() != 2) error = "sort needs a SOURCE and a TARGET folder";
  if (!error.empty()) return std::nullopt;
  options.source = folders[0];
  options.target = folders[1];
  return options;
}

std::string CheckSortOptions(const TSortOptions& options) {
  if (!IsKnownLanguage(options.language))
    return "--language: no texts for \"" + options.language + "\"; choose German, English, French or Spanish";
  if (CharacterCount(options.folderPattern) > kFolderPatternMaxLength)
    return "--folder-pattern: at most 10 characters";
  for (const auto& [option, pattern] : {std::pair{"--pattern", &options.filePattern},
                                        std::pair{"--folder-pattern", &options.folderPattern}}) {
    if (HoldsRefusedKey(*pattern))
      return std::string(option) + ": a pattern cannot hold any of  \" * / : < > ? \\ |";
  }
  // With every token filled, each pattern must still make one name inside its folder.
  const std::string sampleDate = "2004:08:07 16:45:33";
  if (!IsSinglePathComponent(ReplaceToken(BuildTimesInString(options.filePattern, sampleDate), "FFF", "0") + ".jpg"))
    return "--pattern: the names it makes are no plain file names";
  if (options.dateFolders && !IsSinglePathComponent(BuildFolderName(options.folderPattern, sampleDate)))
    return "--folder-pattern: the names it makes are no plain folder names";
  return {};
}

}  // namespace kalvero

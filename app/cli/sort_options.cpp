#include "app/cli/sort_options.h"

#include <algorithm>
#include <span>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "engine/name_patterns.h"
#include "localisation/multilanguage_utils.h"
#include "localisation/window_scripts.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

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

namespace {

// The command line's defaults, taken from the stored settings.
TSortOptions StoredDefaults(const TStoredSettings& stored, const std::string& settingsFile) {
  TSortOptions options;
  const auto origin = [&settingsFile](const char* key) { return std::string("\"") + key + "\" in " + settingsFile; };
  options.filePattern = {stored.filePattern, origin("file")};
  options.folderPattern = {stored.folderPattern, origin("folder")};
  options.language = {stored.language, origin("lng")};
  options.dateFolders = stored.createDateFolders;
  options.subfolders = stored.includeSubfolders;
  options.source = stored.source;
  options.target = stored.target;
  return options;
}

// Reads one option into `options`; false when the argument is no option.
bool ReadOption(const std::vector<std::string>& arguments, std::size_t& i, TSortOptions& options,
                std::string& error) {
  for (auto [name, value] : {std::pair{"--pattern", &options.filePattern},
                             std::pair{"--folder-pattern", &options.folderPattern},
                             std::pair{"--language", &options.language}}) {
    if (ReadValue(arguments, i, name, value->value, error)) {
      value->origin = name;
      return true;
    }
  }
  if (ReadValue(arguments, i, "--report", options.report, error)) {
    // An empty name would silently mean "no journal".
    if (error.empty() && options.report.empty()) error = "--report needs a file name";
    return true;
  }
  if (std::string list; ReadValue(arguments, i, "--types", list, error)) {
    if (const auto types = FileTypesOf(list)) options.choices.types = *types;
    else if (error.empty())
      error = "--types takes a list of jpeg, raw, heic, video or all, such as jpeg,raw, not " + Escaped(list);
    return true;
  }
  if (std::string word; ReadValue(arguments, i, "--on-clash", word, error)) {
    if (const auto choice = ClashChoiceOf(word)) options.choices.onClash = *choice;
    else if (error.empty()) error = "--on-clash takes fail, skip-identical or number, not " + Escaped(word);
    return true;
  }
  if (std::string word; ReadValue(arguments, i, "--undated", word, error)) {
    const auto choice = UndatedChoiceOf(word);
    if (!choice) {
      if (error.empty()) error = "--undated takes keep, folder NAME or file-time, not " + Escaped(word);
    } else if (*choice == TUndatedChoice::Folder && i + 1 >= arguments.size()) {
      error = "--undated folder needs the folder's NAME";
    } else {
      options.choices.undated = *choice;
      if (*choice == TUndatedChoice::Folder) options.choices.undatedFolder = arguments[++i];
    }
    return true;
  }
  const std::string& argument = arguments[i];
  if (argument == "--date-folders" || argument == "--no-date-folders")
    options.dateFolders = argument == "--date-folders";
  else if (argument == "--subfolders" || argument == "--no-subfolders")
    options.subfolders = argument == "--subfolders";
  else if (argument == "--yes")
    options.answerYes = true;
  else if (argument == "--verbose")
    options.verbose = true;
  else if (argument == "--dry-run")
    options.dryRun = true;
  else if (IsOption(argument))
    error = "unknown option " + Escaped(argument);
  else
    return false;
  return true;
}

}  // namespace

std::optional<TSortOptions> ParseSortOptions(const std::vector<std::string>& arguments,
                                             const std::optional<TStoredSettings>& stored,
                                             const std::string& settingsFile, std::string& error) {
  TSortOptions options = stored ? StoredDefaults(*stored, settingsFile) : TSortOptions();
  std::vector<std::string> folders;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size() && error.empty(); ++i) {
    if (!optionsEnded && arguments[i] == "--")
      optionsEnded = true;
    else if (optionsEnded || !ReadOption(arguments, i, options, error))
      folders.push_back(arguments[i]);
  }
  if (error.empty() && folders.size() == 2) {
    options.source = folders[0];
    options.target = folders[1];
  } else if (error.empty() && (folders.size() == 1 || folders.size() > 2 || !stored)) {
    error = stored ? "give both SOURCE and TARGET, or neither to take the stored folders"
                   : "sort needs a SOURCE and a TARGET folder";
  }
  if (!error.empty()) return std::nullopt;
  return options;
}

std::string SampleFileName(const TSortOptions& options, std::size_t numberWidth) {
  return ReplaceToken(BuildTimesInString(options.filePattern.value, kSampleDateText), "FFF",
                      FormatSequenceNumber(0, numberWidth)) +
         std::string(LongestCopyExtension(options.choices.types));
}

std::vector<std::string> SampleFolderLevels(const TSortOptions& options) {
  return DateFolderLevels(options.folderPattern.value, kSampleDateText, options.choices.nestedFolders);
}

std::string CheckSortOptions(const TSortOptions& options) {
  const auto& [language, languageOrigin] = options.language;
  if (!IsKnownLanguage(language))
    return languageOrigin + ": no texts for \"" + Escaped(language) + "\"; choose German, English, French or Spanish";
  const auto& [folderPattern, folderOrigin] = options.folderPattern;
  const auto& [filePattern, fileOrigin] = options.filePattern;
  if (HoldsRefusedKey(filePattern)) return fileOrigin + ": a pattern cannot hold any of \" * / : < > ? \\ |";
  // The folder pattern matters only to runs into date folders. A '/' in it nests them: each level
  // between the slashes is a pattern of its own, under the rules of the window's field.
  for (std::size_t start = 0; options.dateFolders && start <= folderPattern.size();) {
    const std::size_t slash = std::min(folderPattern.find('/', start), folderPattern.size());
    const std::string level = folderPattern.substr(start, slash - start);
    start = slash + 1;
    if (level.empty())
      return folderOrigin + ": a folder pattern has no empty level (a '/' at its start or end, or two together)";
    if (CharacterCount(level) > kFolderPatternMaxLength)
      return folderOrigin + ": a folder pattern has at most " + std::to_string(kFolderPatternMaxLength) +
             " characters" + (level.size() < folderPattern.size() ? " in each level between the '/'" : "");
    if (HoldsRefusedKey(level)) return folderOrigin + ": a folder pattern cannot hold any of \" * : < > ? \\ |";
  }
  if (options.choices.undated == TUndatedChoice::Folder) {
    const std::string& name = options.choices.undatedFolder;
    if (!IsSinglePathComponent(name) || IsRefusedName(name) || HoldsRefusedKey(name) || name.size() > 255)
      return "--undated folder: \"" + Escaped(name) + "\" is no plain folder name";
  }
  // With every token filled, each pattern must still make one name inside its folder.
  if (!IsSinglePathComponent(SampleFileName(options, 1)))
    return fileOrigin + ": the names it makes are no plain file names";
  // An empty folder name puts the picture into the target folder itself.
  if (options.dateFolders && !std::ranges::all_of(SampleFolderLevels(options), IsSinglePathComponent))
    return folderOrigin + ": the names it makes are no plain folder names";
  return {};
}

}  // namespace kalvero

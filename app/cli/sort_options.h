#pragma once

// The options of `kalvero sort`, their defaults from the stored settings, and their checks.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/run_choices.h"
#include "engine/settings.h"

namespace kalvero {

// A value and where it came from ("--pattern", or the key in the settings file), for messages.
struct TOptionValue {
  std::string value;
  std::string origin;
};

struct TSortOptions {
  std::string source;
  std::string target;
  TOptionValue filePattern{std::string(kDefaultFilePattern), "--pattern"};
  TOptionValue folderPattern{std::string(kDefaultFolderPattern), "--folder-pattern"};
  TOptionValue language{std::string(kDefaultLanguage), "--language"};
  bool dateFolders = true;
  bool subfolders = true;
  bool answerYes = false;
  bool verbose = false;
  bool dryRun = false;
  std::string report;  // the journal's file; empty for none
  // A '/' in the folder pattern nests the date folders, on the command line only.
  TRunChoices choices = [] {
    TRunChoices nested;
    nested.nestedFolders = true;
    return nested;
  }();
};

// Reads the arguments after "sort"; "--" ends the options. Every value the command line leaves out comes from the stored
// settings when there are any (`settingsFile` names their file in messages), else from the
// program's defaults; the folders are given both or neither, and neither only with stored
// settings. On a usage error answers nothing and sets `error` to a message for the user.
std::optional<TSortOptions> ParseSortOptions(const std::vector<std::string>& arguments,
                                             const std::optional<TStoredSettings>& stored,
                                             const std::string& settingsFile, std::string& error);

// The names the patterns make for the sample date (kSampleDateText): the file's, with the longest
// extension of the run's copies, FFF filled with 0 in `numberWidth` digits; and the levels of the
// date folder, outermost first, as DateFolderLevels splits them.
std::string SampleFileName(const TSortOptions& options, std::size_t numberWidth);
std::vector<std::string> SampleFolderLevels(const TSortOptions& options);

// The reason why the options cannot be used, or the empty text: a language no script has, a
// folder pattern (or a level of one, between '/') longer than its field takes or empty, a pattern
// holding a character the pattern fields refuse ('/' aside in a folder pattern), or one that could
// name something outside the target folder.
std::string CheckSortOptions(const TSortOptions& options);

}  // namespace kalvero

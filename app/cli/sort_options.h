#pragma once

// The options of `kalvero sort` and their checks.

#include <optional>
#include <string>
#include <vector>

namespace kalvero {

struct TSortOptions {
  std::string source;
  std::string target;
  std::string filePattern = "DD.MM.YYYY - HH.NN.SS";
  std::string folderPattern = "YYYY.MM.DD";
  bool dateFolders = true;
  bool subfolders = true;
  std::string language = "English";
  bool answerYes = false;
};

// Reads the arguments after "sort". On a usage error answers nothing and sets `error` to a
// message for the user.
std::optional<TSortOptions> ParseSortOptions(const std::vector<std::string>& arguments, std::string& error);

// The reason why the options cannot be used, or the empty text: a language no script has, a
// folder pattern longer than its field takes, a pattern holding a character the pattern fields
// refuse, or one that could name something outside the target folder.
std::string CheckSortOptions(const TSortOptions& options);

}  // namespace kalvero

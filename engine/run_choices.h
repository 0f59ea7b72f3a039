#pragma once

// The choices of a copy run that only the command line offers; the window's runs take the
// defaults, which are what the window does.

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kalvero {

// What a run does where the name of a copy is taken.
enum class TClashChoice {
  Fail,           // the picture is not copied: the name exists
  SkipIdentical,  // a file with the picture's bytes at the name is the picture, already there
  Number,         // as SkipIdentical, and a different file moves the copy to " (2)", " (3)" ...
};

// What a run does with a picture without a usable date.
enum class TUndatedChoice {
  Keep,      // not copied; listed
  Folder,    // copied into a folder of its own below the target, under the picture's own file name
  FileTime,  // named by the file's last-write time instead
};

struct TRunChoices {
  TClashChoice onClash = TClashChoice::Fail;
  TUndatedChoice undated = TUndatedChoice::Keep;
  std::string undatedFolder;  // the folder's name, for TUndatedChoice::Folder
};

// The word of each clash choice, as `--on-clash` takes it and a journal records it (journals keep it,
// so it never changes).
inline constexpr std::array<std::pair<TClashChoice, std::string_view>, 3> kClashWords = {{
    {TClashChoice::Fail, "fail"},
    {TClashChoice::SkipIdentical, "skip-identical"},
    {TClashChoice::Number, "number"},
}};

inline std::string_view WordOf(TClashChoice choice) {
  return std::ranges::find(kClashWords, choice, &std::pair<TClashChoice, std::string_view>::first)->second;
}

inline std::optional<TClashChoice> ClashChoiceOf(std::string_view word) {
  const auto row = std::ranges::find(kClashWords, word, &std::pair<TClashChoice, std::string_view>::second);
  return row == kClashWords.end() ? std::nullopt : std::optional(row->first);
}

// The word of each choice for pictures without a usable date, as `--undated` takes it and a journal
// records it.
inline constexpr std::array<std::pair<TUndatedChoice, std::string_view>, 3> kUndatedWords = {{
    {TUndatedChoice::Keep, "keep"},
    {TUndatedChoice::Folder, "folder"},
    {TUndatedChoice::FileTime, "file-time"},
}};

inline std::string_view WordOf(TUndatedChoice choice) {
  return std::ranges::find(kUndatedWords, choice, &std::pair<TUndatedChoice, std::string_view>::first)->second;
}

inline std::optional<TUndatedChoice> UndatedChoiceOf(std::string_view word) {
  const auto row = std::ranges::find(kUndatedWords, word, &std::pair<TUndatedChoice, std::string_view>::second);
  return row == kUndatedWords.end() ? std::nullopt : std::optional(row->first);
}

}  // namespace kalvero

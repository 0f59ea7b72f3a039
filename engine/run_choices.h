#pragma once

// The choices of a copy run that only the command line offers; the window's runs take the
// defaults, which are what the window does.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/file_types.h"

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
  TFileTypes types;  // the files a run takes
  TClashChoice onClash = TClashChoice::Fail;
  TUndatedChoice undated = TUndatedChoice::Keep;
  std::string undatedFolder;  // the folder's name, for TUndatedChoice::Folder
  bool nestedFolders = false;  // a '/' in the folder pattern makes a date folder inside the one before
};

// A table of the word of each choice, as an option takes it and a journal records it (journals keep
// them, so they never change).
template <class TChoice, std::size_t N>
using TChoiceWords = std::array<std::pair<TChoice, std::string_view>, N>;

template <class TChoice, std::size_t N>
std::string_view WordIn(const TChoiceWords<TChoice, N>& words, TChoice choice) {
  return std::ranges::find(words, choice, &std::pair<TChoice, std::string_view>::first)->second;
}

template <class TChoice, std::size_t N>
std::optional<TChoice> ChoiceIn(const TChoiceWords<TChoice, N>& words, std::string_view word) {
  const auto row = std::ranges::find(words, word, &std::pair<TChoice, std::string_view>::second);
  return row == words.end() ? std::nullopt : std::optional(row->first);
}

inline constexpr TChoiceWords<TClashChoice, 3> kClashWords = {{
    {TClashChoice::Fail, "fail"},
    {TClashChoice::SkipIdentical, "skip-identical"},
    {TClashChoice::Number, "number"},
}};

inline constexpr TChoiceWords<TUndatedChoice, 3> kUndatedWords = {{
    {TUndatedChoice::Keep, "keep"},
    {TUndatedChoice::Folder, "folder"},
    {TUndatedChoice::FileTime, "file-time"},
}};

inline std::string_view WordOf(TClashChoice choice) { return WordIn(kClashWords, choice); }
inline std::string_view WordOf(TUndatedChoice choice) { return WordIn(kUndatedWords, choice); }
inline std::optional<TClashChoice> ClashChoiceOf(std::string_view word) { return ChoiceIn(kClashWords, word); }
inline std::optional<TUndatedChoice> UndatedChoiceOf(std::string_view word) { return ChoiceIn(kUndatedWords, word); }

}  // namespace kalvero

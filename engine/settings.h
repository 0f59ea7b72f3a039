#pragma once

// The user's remembered choices: section "pref" of kalvero.ini in the settings folder below the
// application-data folder.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "platform/file_system.h"

namespace kalvero {

// The defaults of the choices, from which the window, the command line and the settings file
// written at the first start all begin.
inline constexpr std::string_view kDefaultLanguage = "English";
inline constexpr std::string_view kDefaultFolderPattern = "YYYY.MM.DD";
inline constexpr std::string_view kDefaultFilePattern = "DD.MM.YYYY - HH.NN.SS";

// The folder pattern's field takes at most this many characters.
inline constexpr std::size_t kFolderPatternMaxLength = 10;

// The seven stored values; a missing key (or a missing file) gives the value written here.
struct TStoredSettings {
  std::string language{kDefaultLanguage};
  std::string source;
  std::string target;
  bool includeSubfolders = true;
  bool createDateFolders = true;
  std::string folderPattern{kDefaultFolderPattern};
  std::string filePattern{kDefaultFilePattern};
};

// The settings file of the environment, when it exists; nothing is ever created. A boolean key
// is read as an integer (sign, '$' or "0x" hexadecimal), any value but 0 meaning true and a
// value that is no integer meaning its missing-key value.
std::optional<TStoredSettings> ReadStoredSettings(const TFileSystem& fileSystem, const TEnvironment& environment);

// Reads an INI integer as the settings do; none when the text is no 32-bit integer.
std::optional<long> ParseIniInteger(const std::string& text);

}  // namespace kalvero

#pragma once

// The user's remembered choices: section "pref" of kalvero.ini in the settings folder below the
// application-data folder.

#include <optional>
#include <string>

#include "platform/environment.h"
#include "platform/file_system.h"

namespace kalvero {

// The seven stored values; a missing key (or a missing file) gives the value written here.
struct TStoredSettings {
  std::string language = "English";
  std::string source;
  std::string target;
  bool includeSubfolders = true;
  bool createDateFolders = true;
  std::string folderPattern = "YYYY.MM.DD";
  std::string filePattern = "DD.MM.YYYY - HH.NN.SS";
};

// The exact content of the file written at the first start.
extern const char kDefaultSettingsFile[];

// The settings file of the environment, when it exists; nothing is ever created. A boolean key
// is read as an integer (sign, '$' or "0x" hexadecimal), any value but 0 meaning true and a
// value that is no integer meaning its missing-key value.
std::optional<TStoredSettings> ReadStoredSettings(const TFileSystem& fileSystem, const TEnvironment& environment);

// Reads an INI integer as the settings do; none when the text is no 32-bit integer.
std::optional<long> ParseIniInteger(const std::string& text);

}  // namespace kalvero

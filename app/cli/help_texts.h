#pragma once

// The command line's help texts (English, as its usage errors).

#include <string>

namespace kalvero {

std::string GeneralHelp();
// `settingsFile`: where the window keeps its choices, which sort takes as its defaults.
std::string SortHelp(const std::string& settingsFile);
std::string DateHelp();
std::string ExifHelp();
std::string UndoHelp();
std::string VersionText();

}  // namespace kalvero

#pragma once

// Where the program keeps its settings: the user's roaming application-data folder and the
// program's folder and file below it. Without an application-data folder there is none of them,
// and the caller reads and writes no settings. Besides, the user's home folder where a folder
// typed by the user names it.

#include <optional>
#include <string>

#include "platform/environment.h"

namespace kalvero {

// The user's roaming application-data folder, as typed in the environment: KALVERO_APPDATA when
// it is an absolute path, on every platform, so that tests and scripts can choose where the
// settings lie; else the platform's own folder.
std::optional<std::string> ApplicationDataFolder(const TEnvironment& environment);

// The platform's own application-data folder. On POSIX systems: XDG_CONFIG_HOME when it is an
// absolute path, else ".config" in HOME when HOME is an absolute path.
std::optional<std::string> NativeApplicationDataFolder(const TEnvironment& environment);

// The value of the variable `name` when it is an absolute path. An empty or relative value counts
// as not set: it would depend on the folder the program happens to be started in.
std::optional<std::string> AbsolutePathVariable(const TEnvironment& environment, const std::string& name);

// The program's settings folder: "Vandrel" and "Kalvero" below the application-data folder,
// joined with the path separator (one added only where missing).
std::optional<std::string> SettingsFolder(const TEnvironment& environment);

// The settings file "kalvero.ini" in the settings folder.
std::optional<std::string> SettingsFilePath(const TEnvironment& environment);

// The folder that a folder typed by the user names. On POSIX systems "~" alone, or followed by the
// separator, stands for the home folder, HOME when it is an absolute path, as a shell and the usual
// file choosers read it ("~/Sorted" is "Sorted" in it); every other path, and every path when HOME
// is not an absolute path, comes back as typed. On Windows "~" is an ordinary name: as typed.
std::string WithHomeFolder(const std::string& typed, const TEnvironment& environment);

}  // namespace kalvero

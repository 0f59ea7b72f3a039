#pragma once

// The commands of the `kalvero` command line.

#include <string>
#include <vector>

namespace kalvero {

// Exit statuses.
constexpr int kExitSuccess = 0;
constexpr int kExitReported = 1;  // the run listed files, or a file argument does not exist
constexpr int kExitRefused = 2;   // a usage error, or the checks refused the run
constexpr int kExitStopped = 3;   // an error stopped the run

// Runs the command line; answers the exit status.
int RunCommandLine(const std::vector<std::string>& arguments);

// `kalvero sort SOURCE TARGET [options]`.
int SortCommand(const std::vector<std::string>& arguments);
// `kalvero date FILE...`.
int DateCommand(const std::vector<std::string>& files);
// `kalvero exif FILE...`.
int ExifCommand(const std::vector<std::string>& files);

// Prints a usage error and answers kExitRefused.
int UsageError(const std::string& message);

}  // namespace kalvero

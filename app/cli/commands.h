#pragma once

// The commands of the `kalvero` command line.

#include <optional>
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
// `kalvero undo [--dry-run] REPORT`.
int UndoCommand(const std::vector<std::string>& arguments);

// Whether an argument before -- is an option: it begins with a dash and is not the lone "-", which
// is an operand as for other tools.
bool IsOption(const std::string& argument);

// Whether the arguments ask for a command's help (-h or --help before any --).
bool AsksForHelp(const std::vector<std::string>& arguments);
// The operands of a command that takes no options: every argument, -- left out; an argument that
// begins with a dash before -- is an unknown option (`error`).
std::optional<std::vector<std::string>> Operands(const std::vector<std::string>& arguments, std::string& error);

// Prints a usage error and answers kExitRefused.
int UsageError(const std::string& message);

}  // namespace kalvero

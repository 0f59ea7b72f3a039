#include <iostream>
#include <optional>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "app/cli/help_texts.h"
#include "platform/application_data_folder.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/program_path.h"

namespace kalvero {
namespace {

// The window program lies beside this one in the build tree, and in lib/kalvero/ beside the bin/
// folder of an installation. Without the folder of this program nothing is started: a relative
// name would start whatever lies in the current folder.
int StartWindowProgram() {
  const std::string folder = ProgramFolder();
  if (folder.empty()) {
    std::cerr << "kalvero: cannot find the folder of this program (is /proc mounted?), so the window program is "
                 "not started.\nSee kalvero --help for the commands."
              << std::endl;
    return kExitRefused;
  }
  const std::string name = std::string("kalvero-window") + kProgramFileSuffix;
  std::string window = folder + name;
  std::error_code error = ReplaceWithProgram(window);
  if (error == std::errc::no_such_file_or_directory) {
    window = folder + "../lib/kalvero/" + name;
    error = ReplaceWithProgram(window);
  }
  std::cerr << "kalvero: cannot start the window program " << window << ": " << error.message()
            << "\nSee kalvero --help for the commands." << std::endl;
  return kExitRefused;
}

}  // namespace

int UsageError(const std::string& message) {
  std::cerr << "kalvero: " << message << "\nSee kalvero --help." << std::endl;
  return kExitRefused;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument.front() == '-'; }

bool AsksForHelp(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") return false;
    if (argument == "-h" || argument == "--help") return true;
  }
  return false;
}

std::optional<std::vector<std::string>> Operands(const std::vector<std::string>& arguments, std::string& error) {
  std::vector<std::string> operands;
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && IsOption(argument)) {
      error = "unknown option " + Escaped(argument);
      return std::nullopt;
    } else {
      operands.push_back(argument);
    }
  }
  return operands;
}

namespace {

int FileCommand(const std::string& command, const std::vector<std::string>& arguments) {
  if (AsksForHelp(arguments)) {
    std::cout << (command == "date" ? DateHelp() : ExifHelp());
    return kExitSuccess;
  }
  std::string error;
  const auto files = Operands(arguments, error);
  if (!files) return UsageError(command + ": " + error);
  if (files->empty()) return UsageError(command + " needs at least one FILE");
  return command == "date" ? DateCommand(*files) : ExifCommand(*files);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return StartWindowProgram();
  const std::string& command = arguments[1];
  const std::vector<std::string> rest(arguments.begin() + 2, arguments.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << GeneralHelp();
    return kExitSuccess;
  }
  if (command == "--version") {
    std::cout << VersionText();
    return kExitSuccess;
  }
  // A reader that goes away (`kalvero sort ... | head`) must not end a run half way: output to it
  // is lost, the run completes with its status.
  SetUpConsoleProgram();
  if (command == "sort") {
    if (AsksForHelp(rest)) {
      std::cout << SortHelp(SettingsFilePath(ProcessEnvironment()).value_or(""));
      return kExitSuccess;
    }
    InstallInterruptCleanup();
    return SortCommand(rest);
  }
  if (command == "date" || command == "exif") return FileCommand(command, rest);
  if (command == "undo") {
    if (AsksForHelp(rest)) {
      std::cout << UndoHelp();
      return kExitSuccess;
    }
    return UndoCommand(rest);
  }
  return UsageError((IsOption(command) ? "unknown option " : "unknown command ") + Escaped(command));
}

}  // namespace kalvero

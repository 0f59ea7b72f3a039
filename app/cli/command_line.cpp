#include <csignal>
#include <iostream>

#include "app/cli/commands.h"
#include "platform/file_system.h"
#include "platform/program_path.h"

namespace kalvero {
namespace {

constexpr const char* kHelp = R"(Usage:
  kalvero                          start the window program
  kalvero sort SOURCE TARGET [options]
  kalvero date FILE...
  kalvero exif FILE...
  kalvero --help

kalvero sort copies every JPEG file (*.jpg, *.jpeg) below SOURCE into TARGET under a name made
from the picture's EXIF capture date, as the window's "Copy files" button does. Sources are only
read; an existing file is never replaced. A missing TARGET is created. A copy appears under its
name only once it is complete, also when the run is interrupted; before the run reports its
count, the copies are written to the medium. A folder TARGET below SOURCE is not scanned.
  --pattern TEXT         file name pattern (default "DD.MM.YYYY - HH.NN.SS"); the tokens DD MM
                         YYYY HH NN SS stand for the capture date and time, FFF for a number
  --folder-pattern TEXT  name of the date folders, at most 10 characters (default "YYYY.MM.DD")
  --date-folders         copy into one folder per date (the default)
  --no-date-folders      copy flat into TARGET
  --subfolders           include the subfolders of SOURCE (the default)
  --no-subfolders        only the files of SOURCE itself
  --language NAME        German, English (the default), French or Spanish
  --yes                  answer Yes when asked whether to go on with names by time alone
                         (without it the question is asked on a terminal, else answered Cancel)
Status texts and messages are printed in the chosen language; a terminal shows progress. Each
entry of SOURCE that could not be examined (a folder that cannot be read, a broken link named
like a picture, ...) is named on standard error with its reason.
Exit status: 0 all copied; 1 some files were not copied or had no usable date, or entries could
not be examined; 2 a usage error, or the checks refused the run; 3 an error stopped the run (a
date folder that cannot be made, copies that could not be written to the medium).

kalvero date prints for every FILE, in order, the date text a run would use (empty when there
is none), a tab and the FILE as given.
kalvero exif prints for every FILE what the metadata reader found: whether there is an Exif
segment, the reader's status, date, camera make and model, picture size and the tag listing.
Exit status of date and exif: 0, or 1 when a FILE does not exist, or 2 for a usage error.
)";

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
  std::string window = folder + "kalvero-window";
  std::error_code error = ReplaceWithProgram(window);
  if (error == std::errc::no_such_file_or_directory) {
    window = folder + "../lib/kalvero/kalvero-window";
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

int RunCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return StartWindowProgram();
  const std::string& command = arguments[1];
  const std::vector<std::string> rest(arguments.begin() + 2, arguments.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kHelp;
    return kExitSuccess;
  }
  // A reader that goes away (`kalvero sort ... | head`) must not end a run half way: output to it
  // is lost, the run completes with its status.
  std::signal(SIGPIPE, SIG_IGN);
  if (command == "sort") {
    InstallInterruptCleanup();
    return SortCommand(rest);
  }
  if (command == "date" || command == "exif") {
    if (rest.empty()) return UsageError(command + " needs at least one FILE");
    return command == "date" ? DateCommand(rest) : ExifCommand(rest);
  }
  return UsageError("unknown command " + command);
}

}  // namespace kalvero

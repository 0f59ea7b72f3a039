#include <exception>
#include <iostream>

#include "app/cli/commands.h"
#include "app/cli/console_host.h"
#include "app/cli/sort_options.h"
#include "engine/error_text.h"
#include "engine/sort_engine.h"
#include "platform/application_data_folder.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kalvero {
namespace {

int Run(const TSortOptions& options) {
  TConsoleHost host(options.language.value, options.answerYes);
  host.SetDir2Text(options.target);
  host.SetEdit1Text(options.filePattern.value);
  host.SetEdit2Text(options.folderPattern.value);
  host.SetCb1Checked(options.subfolders);
  host.SetCb2Checked(options.dateFolders);
  TSortEngine engine(host, NativeFileSystem(), SystemClock());
  try {
    // As in the window: entering the source folder scans it, then the button starts the run.
    engine.SetSourceFolder(options.source);
    const auto summary = engine.Button1Click();
    if (!summary) return kExitRefused;
    return summary->failed > 0 || summary->undated > 0 || summary->notExamined > 0 ? kExitReported : kExitSuccess;
  } catch (const std::exception& error) {
    std::cerr << "Kalvero 1.3: " << ErrorBoxText(error.what()) << std::endl;
    return kExitStopped;
  }
}

}  // namespace

int SortCommand(const std::vector<std::string>& arguments) {
  // The command line only reads the settings; it never creates or writes them.
  const TEnvironment& environment = ProcessEnvironment();
  const auto stored = ReadStoredSettings(NativeFileSystem(), environment);
  std::string error;
  const auto options = ParseSortOptions(arguments, stored, SettingsFilePath(environment).value_or(""), error);
  if (!options) return UsageError(error);
  if (const std::string problem = CheckSortOptions(*options); !problem.empty()) return UsageError(problem);
  return Run(*options);
}

}  // namespace kalvero

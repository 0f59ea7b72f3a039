#pragma once

// Runs the `kalvero` command line as a script would, in a temporary folder, with its own empty
// application-data folder, so that no user's settings take part.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace kalvero {

class CommandLineTest : public testing::Test {
 protected:
  TProgramResult Kalvero(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), KALVERO_PROGRAM);
    return RunProgram(arguments, work.Path(), Environment());
  }

  // The environment every run gets: the test's own application-data folder.
  std::map<std::string, std::string> Environment() const {
    return {{"KALVERO_APPDATA", appData.Path()}, {"HOME", appData.Path()}};
  }

  // Runs kalvero through setpriv with `privileges` (another user, fewer capabilities), its copies
  // on `road`.
  TProgramResult KalveroAs(std::vector<std::string> privileges, const std::vector<std::string>& arguments,
                           const std::string& road = "unnamed") const {
    privileges.insert(privileges.begin(), kSetpriv);
    privileges.push_back(KALVERO_PROGRAM);
    privileges.insert(privileges.end(), arguments.begin(), arguments.end());
    auto environment = Environment();
    environment["KALVERO_COPY_ROAD"] = road;
    return RunProgram(privileges, work.Path(), environment);
  }

  // Everything below the work folder may be read and written by any user.
  void OpenToEveryone() const {
    namespace fs = std::filesystem;
    for (const std::string& folder : {work.Path(), appData.Path()}) {
      fs::permissions(folder, fs::perms::all);
      for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::permissions(entry.path(), entry.is_directory() ? fs::perms::all : fs::perms::all & ~fs::perms::owner_exec);
    }
  }

  static constexpr const char* kSetpriv = "/usr/bin/setpriv";

  static std::int64_t LastWrite(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
  }

  TTempFolder work;
  TTempFolder appData;
};

}  // namespace kalvero

#pragma once

// Runs the `kalvero` command line as a script would, in a temporary folder, with its own empty
// application-data folder, so that no user's settings take part.

#include <sys/stat.h>

#include <gtest/gtest.h>

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
    return {{"XDG_CONFIG_HOME", appData.Path()}, {"HOME", appData.Path()}};
  }

  static std::int64_t LastWrite(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
  }

  TTempFolder work;
  TTempFolder appData;
};

}  // namespace kalvero

#include <string>
#include <vector>

#include "app/cli/commands.h"

int main(int argc, char** argv) {
  return kalvero::RunCommandLine(std::vector<std::string>(argv, argv + argc));
}

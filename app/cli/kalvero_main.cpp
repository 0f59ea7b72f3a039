#include "app/cli/commands.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  kalvero::SetUpConsoleStreams();
  return kalvero::RunCommandLine(kalvero::ProgramArguments(argc, argv));
}

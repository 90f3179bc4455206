#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/terminal.h"

int main(int argc, char** argv) {
  larkfold::PrepareTerminalOutput();
  std::vector<std::string> args(argv + 1, argv + argc);
  return larkfold::RunCommandLine("larkfold", args);
}

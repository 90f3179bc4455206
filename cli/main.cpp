#include <string>
#include <vector>

#include "cli/command_line.h"
#include "platform/terminal.h"

#ifdef _WIN32
#include "platform/win32/wide_text.h"

// The arguments arrive as UTF-16; file names among them are kept as WTF-8, so
// that every name the system can give reaches the file class unchanged.
int wmain(int argc, wchar_t** argv) {
  larkfold::PrepareTerminalOutput();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(larkfold::Utf8FromWide(argv[i]));
  }
  return larkfold::RunCommandLine("larkfold-cli", args);
}
#else
int main(int argc, char** argv) {
  larkfold::PrepareTerminalOutput();
  std::vector<std::string> args(argv + 1, argv + argc);
  return larkfold::RunCommandLine("larkfold", args);
}
#endif

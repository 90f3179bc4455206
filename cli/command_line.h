#pragma once

#include <string>
#include <vector>

namespace larkfold {

// The whole command-line tool: `args` without the program name. Returns the
// exit status.
int RunCommandLine(const std::string& programName, const std::vector<std::string>& args);

}  // namespace larkfold

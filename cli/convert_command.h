#pragma once

#include <string>
#include <vector>

#include "assign/search_choice.h"
#include "cli/cli_host.h"

namespace larkfold {

// Exit statuses of the command-line tool.
inline constexpr int kExitConverted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitRejected = 2;
inline constexpr int kExitInterrupted = 130;

// Converts each file in turn, each as one press of the dialog's convert button,
// and prints each file's message. Returns the exit status.
int RunConvertCommand(const ConvertOptions& options, SearchMethod method,
                      const std::vector<std::string>& files);

}  // namespace larkfold

#include "cli/convert_command.h"

#include <algorithm>
#include <cstdio>

#include "assign/progress_state.h"
#include "convert/driver.h"
#include "convert/messages.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"

namespace larkfold {

int RunConvertCommand(const ConvertOptions& options, SearchMethod method,
                      const std::vector<std::string>& files) {
  WatchInterrupts(&ProgressState::cancelRequested);
  const bool drawProgress = !options.quiet && StandardErrorIsTerminal();

  int status = kExitConverted;
  for (const std::string& file : files) {
    // An interrupt that came too late for the last conversion to honour still
    // stops the files after it.
    if (InterruptReceived()) {
      std::fprintf(stderr, "%.*s\n", static_cast<int>(messages::kCancelled.size()),
                   messages::kCancelled.data());
      return kExitInterrupted;
    }
    CliHost host(options, file, files.size() > 1 ? file + ": " : std::string(), drawProgress);
    try {
      OnConvert(host, method);
    } catch (const CFileException& error) {
      // The conversion stopped inside the file class; this is the tool's
      // counterpart of the dialog program's error box.
      host.ReportError(DescribeFileException(error));
      status = std::max(status, kExitFailed);
      continue;
    }
    switch (host.LastMessage()) {
      case MessageKind::cancelled:
        return kExitInterrupted;
      case MessageKind::warning:
        status = std::max(status, kExitRejected);
        break;
      case MessageKind::failure:
        status = std::max(status, kExitFailed);
        break;
      case MessageKind::none:
      case MessageKind::finished:
        break;
    }
  }
  return status;
}

}  // namespace larkfold

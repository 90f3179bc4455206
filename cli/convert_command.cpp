#include "cli/convert_command.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "assign/progress_state.h"
#include "convert/block_pool.h"
#include "convert/driver.h"
#include "convert/messages.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"

namespace larkfold {
namespace {

int ConvertEach(const ConvertOptions& options, SearchMethod method,
                const std::vector<std::string>& files) {
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
      // counterpart of the dialog program's error box. The block the loader
      // took is released here: left for the next conversion's ending, the
      // blocks of files that fail one after another would pile up until the
      // pool is full and every later file fails for want of memory.
      host.ReportError(DescribeFileException(error));
      BlockPool::Request(0);
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

// Every way out of a conversion releases the pool; with LARKFOLD_POOL_REPORT
// set the tool says, as its last line, how many blocks the pool still holds, so
// that a test can see it from outside.
void ReportPoolWhenAsked() {
  if (std::getenv("LARKFOLD_POOL_REPORT") != nullptr) {
    std::fprintf(stderr, "larkfold: blocks held by the pool: %d\n",
                 static_cast<int>(BlockPool::HeldCount()));
  }
}

}  // namespace

int RunConvertCommand(const ConvertOptions& options, SearchMethod method,
                      const std::vector<std::string>& files) {
  WatchInterrupts(&ProgressState::cancelRequested);
  const int status = ConvertEach(options, method, files);
  ReportPoolWhenAsked();
  return status;
}

}  // namespace larkfold

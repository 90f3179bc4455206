#include "cli/preview_conversion.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/convert_command.h"
#include "convert/messages.h"
#include "platform/file.h"
#include "preview/in_memory_conversion.h"

namespace larkfold {

std::vector<CLI::Option*> AddConversionOptions(CLI::App& command,
                                               PreviewConversionOptions& options) {
  return {
      command.add_option("-s,--source", options.convert.source, "Sound source: fm or pcm")
          ->check(CLI::IsMember({"fm", "pcm"}))
          ->capture_default_str(),
      command.add_option("-c,--channels", options.convert.channels, "Output channels: 3 to 8")
          ->check(CLI::IsMember({3, 4, 5, 6, 7, 8}))
          ->capture_default_str(),
      command
          .add_option("--volume", options.convert.volume,
                      "Volume in percent, 20 to 200, read as convert reads it")
          ->capture_default_str(),
      command
          .add_option("--speed", options.convert.speed,
                      "Playback speed factor, 0.9 to 1.1, read as convert reads it")
          ->capture_default_str(),
      command
          .add_option("--search", options.search,
                      "How channels are matched: fast or exhaustive (same result)")
          ->check(CLI::IsMember({"fast", "exhaustive"})),
  };
}

int ReportFailure(const std::string& path, const std::string& why, int status) {
  std::fprintf(stderr, "%s: %s\n", path.c_str(), why.c_str());
  return status;
}

PreviewConversion ConvertForPreview(const PreviewConversionOptions& options,
                                    const std::string& datPath, bool drawProgress) {
  PreviewConversion conversion;
  const SearchMethod method =
      options.search.empty() ? SearchMethodFromEnvironment() : *ParseSearchMethod(options.search);
  CliHost host(options.convert, datPath, datPath + ": ", drawProgress);
  InMemoryConversion made;
  try {
    made = ConvertInMemory(host, method);
  } catch (const CFileException& error) {
    host.ReportError(DescribeFileException(error));
    conversion.status = kExitFailed;
    return conversion;
  }
  switch (made.outcome) {
    case ConversionOutcome::refused:
      conversion.status = kExitRejected;
      return conversion;
    case ConversionOutcome::failed:
      host.ReportError(made.message);
      conversion.status = kExitFailed;
      return conversion;
    case ConversionOutcome::cancelled:
      host.ReportError(std::string(messages::kCancelled));
      conversion.status = kExitInterrupted;
      return conversion;
    case ConversionOutcome::converted:
      break;
  }
  VoiReadResult read = ParseVoi(made.voi.data(), made.voi.size());
  if (!read.ok()) {
    // The converter's own image always reads back; this would be a fault of the program.
    host.ReportError("the conversion made a VOI image that does not read back: " + read.damage);
    conversion.status = kExitFailed;
    return conversion;
  }
  conversion.voi = std::move(read.file);
  return conversion;
}

}  // namespace larkfold

// The conversion options of render and plot, and the conversion they make on
// the fly: in memory, with the settings checked as `convert` checks them.
#pragma once

#include <string>

#include "cli/cli_host.h"
#include "voi/voi_reader.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace larkfold {

struct PreviewConversionOptions {
  ConvertOptions convert;
  std::string search;  // empty: as LARKFOLD_SEARCH says
};

// Adds --source, --channels, --volume, --speed and --search; returns the
// options added, so that the caller can tie them to another option.
std::vector<CLI::Option*> AddConversionOptions(CLI::App& command,
                                               PreviewConversionOptions& options);

// Prints "path: why" on standard error and returns `status`.
int ReportFailure(const std::string& path, const std::string& why, int status);

// The VOI that `convert` would write for `datPath`. On failure the reason has
// been printed and `status` is the exit status (2 for a refused setting, 1 for
// a failed conversion, 130 for an interrupt); on success it is 0.
struct PreviewConversion {
  int status = 0;
  VoiFile voi;
};
PreviewConversion ConvertForPreview(const PreviewConversionOptions& options,
                                    const std::string& datPath, bool drawProgress);

}  // namespace larkfold

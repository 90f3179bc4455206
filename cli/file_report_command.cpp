// larkfold inspect: what a DAT or VOI file holds, as a summary or frame by frame.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "cli/convert_command.h"
#include "cli/preview_commands.h"
#include "preview/file_report.h"

namespace larkfold {
namespace {

constexpr const char* kInspectFooter =
    "A file whose name ends in .voi is read as a VOI file, one ending in .dat as a\n"
    "DAT file; any other file is a VOI file when it is a whole one, else a DAT file.\n"
    "A VOI file must have a known source (3 FM, 4 PCM), 3 to 8 channels, the length\n"
    "its header calls for (rounded up to 256 bytes) and nothing but zero bytes after\n"
    "its records; one that breaks a rule is reported as damaged, with the rule.\n"
    "A DAT file is read as convert reads it, so its amplitudes are the normalised\n"
    "ones (0 to 65535) the converter works with.\n"
    "\n"
    "DAT summary: frames, duration, trailer rate, largest amplitude, frequency range\n"
    "and how many channels sound (normalised amplitude 1024 or more) per frame.\n"
    "VOI summary: source, channels, output frames, duration at 60 frames per second,\n"
    "records by level and the pitch range in Hz, per channel.\n"
    "\n"
    "--frames A:B lists frames A to B-1 (A: to the end, :B from the start, A alone one\n"
    "frame): a DAT's normalised amplitude and Hz per channel, a VOI's records decoded\n"
    "to Hz and level. With --format csv only the frames are listed.\n"
    "\n"
    "Exit status: 0 every file inspected, 1 a file could not be read or is damaged,\n"
    "2 the command line is wrong.\n"
    "\n"
    "Examples:\n"
    "  larkfold inspect song.dat song.voi\n"
    "  larkfold inspect song.voi --frames 120:180\n"
    "  larkfold inspect song.voi --format json\n";

struct InspectSettings {
  std::vector<std::string> files;
  std::string frames;
  std::string format = "text";
};

int RunInspect(const InspectSettings& settings) {
  std::optional<FrameRange> frames;
  if (!settings.frames.empty()) {
    frames = ParseFrameRange(settings.frames);
  }
  int status = kExitConverted;
  std::vector<Inspection> inspections;
  for (const std::string& path : settings.files) {
    inspections.push_back(InspectFile(path));
    const Inspection& inspection = inspections.back();
    if (!inspection.ok()) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), inspection.failure.c_str());
      status = kExitFailed;
    }
  }
  std::string report;
  if (settings.format == "json") {
    report = JsonReport(inspections, frames);
  } else if (settings.format == "csv") {
    report = CsvReport(inspections, frames);
  } else {
    report = TextReport(inspections, frames);
  }
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  return status;
}

}  // namespace

Subcommand AddInspectCommand(CLI::App& app) {
  auto settings = std::make_shared<InspectSettings>();
  CLI::App* inspect = app.add_subcommand("inspect", "Show what DAT and VOI files hold");
  inspect->footer(kInspectFooter);
  inspect
      ->add_option("--frames", settings->frames, "List frames A to B-1 as well (A:B, A:, :B or A)")
      ->check(
          [](const std::string& text) {
            return ParseFrameRange(text) ? std::string()
                                         : "not a frame range A:B with A < B: " + text;
          },
          "A:B");
  inspect->add_option("--format", settings->format, "Output: text, csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->capture_default_str();
  inspect->add_option("FILE", settings->files, "DAT or VOI files")->required();
  return Subcommand{inspect, [settings] { return RunInspect(*settings); }};
}

}  // namespace larkfold

// larkfold plot: a piano-roll picture of a DAT file's input channels and of
// the output channels of its VOI file (or of a conversion made on the fly).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "assign/progress_state.h"
#include "cli/convert_command.h"
#include "cli/preview_commands.h"
#include "cli/preview_conversion.h"
#include "platform/file.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"
#include "preview/dat_input.h"
#include "preview/file_contents.h"
#include "preview/output_file.h"
#include "preview/piano_roll.h"
#include "preview/png_plot.h"
#include "preview/svg_plot.h"

namespace larkfold {
namespace {

constexpr const char* kPlotFooter =
    "Time runs across, pitch up on a logarithmic scale with the notes named (C4 is\n"
    "middle C). The DAT file's sounding input channels (normalised amplitude 1024 or\n"
    "more) are light grey; each output channel is a coloured line, fainter at low\n"
    "levels, so that it shows which partial each channel follows. The input is drawn\n"
    "stretched to the output's length, so the two line up at any speed factor.\n"
    "\n"
    "Without --voi the output is the conversion --source, --channels, --volume and\n"
    "--speed give, made in memory (nothing is written next to the DAT file).\n"
    "\n"
    "OUT ending in .svg gives an SVG picture for a browser; .png a PNG picture where\n"
    "the tool was built with cairo. OUT is replaced only once it is complete.\n"
    "\n"
    "Exit status: 0 drawn, 1 a file could not be read, is refused or damaged, or the\n"
    "picture could not be written, 2 the command line or a setting is wrong, 130\n"
    "interrupted.\n"
    "\n"
    "Examples:\n"
    "  larkfold plot song.dat --voi song.voi -o song.svg\n"
    "  larkfold plot song.dat --source fm --channels 6 -o fm6.svg\n";

struct PlotSettings {
  std::string dat;
  std::string voi;
  std::string output;
  bool quiet = false;
  PreviewConversionOptions conversion;
};

std::string Describe(const VoiFile& voi, const std::string& origin) {
  char text[160];
  std::snprintf(text, sizeof text, "%s, %d channels, %d output frames (%.2f s)",
                voi.sourceType == SourceType::Fm ? "FM" : "PCM", voi.channelCount, voi.frameCount,
                voi.frameCount / 60.0);
  return origin + ": " + text;
}

int RunPlot(const PlotSettings& settings) {
  const bool svg = NameEndsWith(settings.output, ".svg");
  const bool png = NameEndsWith(settings.output, ".png");
  if (!svg && !png) {
    return ReportFailure(settings.output, "the picture's name must end in .svg or .png",
                         kExitRejected);
  }
  if (png && !CanWritePng()) {
    return ReportFailure(settings.output, "this build of larkfold writes no PNG; use .svg",
                         kExitRejected);
  }
  WatchInterrupts(&ProgressState::cancelRequested);

  DatInput input;
  try {
    input = LoadPreparedDat(settings.dat);
  } catch (const CFileException& error) {
    return ReportFailure(settings.dat, DescribeFileException(error), kExitFailed);
  }
  if (!input.result.empty()) {
    return ReportFailure(settings.dat, input.result, kExitFailed);
  }

  VoiFile voi;
  std::string subtitle;
  if (!settings.voi.empty()) {
    VoiReadResult read = ReadVoiFile(settings.voi);
    if (!read.error.empty()) {
      return ReportFailure(settings.voi, read.error, kExitFailed);
    }
    if (!read.damage.empty()) {
      return ReportFailure(settings.voi, "damaged VOI file: " + read.damage + " (nothing drawn)",
                           kExitFailed);
    }
    voi = std::move(read.file);
    subtitle = Describe(voi, settings.voi);
  } else {
    const bool drawProgress = !settings.quiet && StandardErrorIsTerminal();
    PreviewConversion conversion =
        ConvertForPreview(settings.conversion, settings.dat, drawProgress);
    if (conversion.status != kExitConverted) {
      return conversion.status;
    }
    voi = std::move(conversion.voi);
    const ConvertOptions& options = settings.conversion.convert;
    subtitle =
        Describe(voi, "converted with volume " + options.volume + ", speed " + options.speed);
  }

  const PianoRoll roll = BuildPianoRoll(input.frames, voi, settings.dat, subtitle);
  std::string picture;
  if (svg) {
    picture = PianoRollSvg(roll);
  } else {
    std::string why;
    if (!PianoRollPng(roll, picture, why)) {
      return ReportFailure(settings.output, why, kExitFailed);
    }
  }
  const std::string failure = WriteWholeFile(settings.output, picture);
  if (!failure.empty()) {
    return ReportFailure(settings.output, failure, kExitFailed);
  }
  std::printf("%s: %d output channels over %d input frames\n", settings.output.c_str(),
              voi.channelCount, static_cast<int>(input.frames.size()));
  return kExitConverted;
}

}  // namespace

Subcommand AddPlotCommand(CLI::App& app) {
  auto settings = std::make_shared<PlotSettings>();
  CLI::App* plot = app.add_subcommand("plot", "Draw a piano roll of a DAT file and its channels");
  plot->footer(kPlotFooter);
  plot->add_option("FILE", settings->dat, "The DAT file")->required();
  CLI::Option* voi =
      plot->add_option("--voi", settings->voi, "The VOI file made from it (default: convert now)");
  plot->add_option("-o,--output", settings->output, "The picture to write: .svg or .png")
      ->required();
  for (CLI::Option* option : AddConversionOptions(*plot, settings->conversion)) {
    option->excludes(voi);
  }
  plot->add_flag("-q,--quiet", settings->quiet, "Draw no progress line");
  return Subcommand{plot, [settings] { return RunPlot(*settings); }};
}

}  // namespace larkfold

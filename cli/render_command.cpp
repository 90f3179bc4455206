// larkfold render: a preview WAV of a VOI file, of a DAT file's input
// channels, or of the conversion a DAT file would get.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "assign/progress_state.h"
#include "cli/convert_command.h"
#include "cli/preview_commands.h"
#include "cli/preview_conversion.h"
#include "convert/messages.h"
#include "platform/clock.h"
#include "platform/interrupt.h"
#include "platform/terminal.h"
#include "preview/file_contents.h"
#include "preview/synthesiser.h"
#include "preview/wav_writer.h"

namespace larkfold {
namespace {

constexpr const char* kRenderFooter =
    "Each channel of each 1/60 s frame becomes a sine at the record's pitch (FM:\n"
    "F-number x 2^block x 3579545 / (72 x 2^18) Hz; PCM: step x 15700 / 8192 Hz) and\n"
    "loudness (FM: 3 dB per level, PCM: a factor 1.3 per level). The silent records\n"
    "(FM 00 00, PCM level 0) are silent. The phase runs on from frame to frame and\n"
    "every change of loudness is ramped over 5 ms, so frames join without clicks.\n"
    "The channels are mixed and scaled so that the loudest frame cannot clip.\n"
    "\n"
    "A DAT file renders its eight input channels the same way (normalised amplitude,\n"
    "frequency in Hz), to compare with the VOI made from it; with --converted it\n"
    "renders the conversion --source, --channels, --volume and --speed give, made in\n"
    "memory (nothing is written next to the DAT file).\n"
    "\n"
    "The WAV is 16-bit mono; it replaces OUT only once it is complete.\n"
    "\n"
    "Exit status: 0 rendered, 1 the file could not be read, is damaged or the WAV\n"
    "could not be written, 2 the command line or a setting is wrong, 130 interrupted.\n"
    "\n"
    "Examples:\n"
    "  larkfold render song.voi -o song.wav\n"
    "  larkfold render song.dat -o input.wav\n"
    "  larkfold render song.dat --converted --source fm --channels 6 -o fm6.wav\n";

struct RenderSettings {
  std::string file;
  std::string output;
  int rate = kDefaultSampleRate;
  bool converted = false;
  bool quiet = false;
  PreviewConversionOptions conversion;
};

// The line redrawn on a terminal while a long file renders.
class RenderProgress {
 public:
  explicit RenderProgress(bool shown) : shown_(shown), last_(ReadMillisecondClock()) {}
  ~RenderProgress() {
    if (drawn_) {
      std::fputs("\r\x1b[K", stderr);
      std::fflush(stderr);
    }
  }

  void Update(int frame, int frameCount) {
    const std::int32_t now = ReadMillisecondClock();
    if (!shown_ || now - last_ < 100) {
      return;
    }
    last_ = now;
    const int width = std::max(10, std::min(40, TerminalColumns() - 40));
    const int filled = frameCount > 0 ? width * frame / frameCount : width;
    std::fprintf(stderr, "\rrendering %.1f s of %.1f s [%s%s]\x1b[K", frame / 60.0,
                 frameCount / 60.0, std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(width - filled), '.').c_str());
    std::fflush(stderr);
    drawn_ = true;
  }

 private:
  bool shown_;
  bool drawn_ = false;
  std::int32_t last_;
};

// Renders `tracks` into the WAV file the settings name.
int WriteWav(const TrackSet& tracks, const RenderSettings& settings, bool drawProgress) {
  Synthesiser synthesiser(tracks, settings.rate);
  const std::int64_t sampleCount = synthesiser.SampleCount();
  if (sampleCount > std::int64_t{0x7FFFFFFF} / 2) {
    return ReportFailure(settings.output, "too long for a WAV file at this rate", kExitFailed);
  }
  try {
    WavWriter wav;
    CFileException error;
    if (!wav.Open(settings.output, settings.rate, static_cast<std::uint32_t>(sampleCount),
                  &error)) {
      return ReportFailure(settings.output, DescribeFileException(error), kExitFailed);
    }
    RenderProgress progress(drawProgress);
    std::vector<std::int16_t> samples;
    while (!synthesiser.Finished()) {
      // About a second at a time, so that an interrupt is honoured quickly.
      samples.clear();
      for (int i = 0; i < 60 && !synthesiser.Finished(); ++i) {
        synthesiser.RenderNextFrame(samples);
      }
      wav.Append(samples);
      progress.Update(synthesiser.FramesDone(), synthesiser.FrameCount());
      if (InterruptReceived()) {
        // The unfinished WAV goes with the writer; OUT stays as it was.
        std::fprintf(stderr, "%.*s\n", static_cast<int>(messages::kCancelled.size()),
                     messages::kCancelled.data());
        return kExitInterrupted;
      }
    }
    wav.Commit();
  } catch (const CFileException& error) {
    return ReportFailure(settings.output, DescribeFileException(error), kExitFailed);
  }
  std::printf("%s: %.3f s at %d Hz\n", settings.output.c_str(),
              static_cast<double>(sampleCount) / settings.rate, settings.rate);
  return kExitConverted;
}

int RunRender(const RenderSettings& settings) {
  WatchInterrupts(&ProgressState::cancelRequested);
  const bool drawProgress = !settings.quiet && StandardErrorIsTerminal();
  if (settings.converted) {
    const PreviewConversion conversion =
        ConvertForPreview(settings.conversion, settings.file, drawProgress);
    if (conversion.status != kExitConverted) {
      return conversion.status;
    }
    return WriteWav(TracksOfVoi(conversion.voi), settings, drawProgress);
  }
  const Inspection input = InspectFile(settings.file);
  if (!input.ok()) {
    return ReportFailure(settings.file, input.failure + " (nothing rendered)", kExitFailed);
  }
  const TrackSet tracks =
      input.kind == FileKind::voi ? TracksOfVoi(input.voi) : TracksOfDat(input.dat.frames);
  return WriteWav(tracks, settings, drawProgress);
}

}  // namespace

Subcommand AddRenderCommand(CLI::App& app) {
  auto settings = std::make_shared<RenderSettings>();
  CLI::App* render = app.add_subcommand("render", "Render a VOI or DAT file to a preview WAV");
  render->footer(kRenderFooter);
  render->add_option("FILE", settings->file, "The VOI or DAT file to render")->required();
  render->add_option("-o,--output", settings->output, "The WAV file to write")->required();
  render->add_option("--rate", settings->rate, "Sample rate in Hz, 8000 to 192000")
      ->check(CLI::Range(kLowestSampleRate, kHighestSampleRate))
      ->capture_default_str();
  CLI::Option* converted = render->add_flag(
      "--converted", settings->converted,
      "Render the conversion of the DAT file (with the options below) instead of its input");
  for (CLI::Option* option : AddConversionOptions(*render, settings->conversion)) {
    option->needs(converted);
  }
  render->add_flag("-q,--quiet", settings->quiet, "Draw no progress line");
  return Subcommand{render, [settings] { return RunRender(*settings); }};
}

}  // namespace larkfold

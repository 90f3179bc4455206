#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "preview/inspect_report.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

constexpr int kBarWidth = 30;

void Print(std::string& out, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  out += line;
}

std::string Bar(int count, int largest) {
  const int width = largest > 0 ? (count * kBarWidth + largest - 1) / largest : 0;
  return std::string(static_cast<std::size_t>(width), '#');
}

void DatSummaryText(std::string& out, const Inspection& file) {
  const DatSummary& summary = file.datSummary;
  Print(out, "%s: DAT recording\n", file.path.c_str());
  Print(out, "  frames             %d (%.3f s at 60 frames per second)\n", summary.frames,
        summary.durationSeconds);
  Print(out, "  trailer rate       %d\n", summary.trailerRate);
  Print(out, "  largest amplitude  %d (normalised to 65535)\n", summary.largestAmplitude);
  if (summary.frequencyRange) {
    Print(out, "  frequency range    %.1f Hz to %.1f Hz (sounding channels)\n",
          summary.frequencyRange->low, summary.frequencyRange->high);
  } else {
    Print(out, "  frequency range    none: no channel sounds\n");
  }
  Print(out, "  channels sounding per frame (normalised amplitude 1024 or more):\n");
  const int largest =
      *std::max_element(summary.soundingHistogram.begin(), summary.soundingHistogram.end());
  for (std::size_t k = 0; k < summary.soundingHistogram.size(); ++k) {
    const int count = summary.soundingHistogram[k];
    Print(out, "    %zu  %6d  %s\n", k, count, Bar(count, largest).c_str());
  }
}

void VoiSummaryText(std::string& out, const Inspection& file) {
  const VoiSummary& summary = file.voiSummary;
  Print(out, "%s: VOI file, %s, %d channels\n", file.path.c_str(),
        summary.sourceType == SourceType::Fm ? "FM" : "PCM", summary.channelCount);
  Print(out, "  output frames      %d (%.3f s at 60 frames per second)\n", summary.outputFrames,
        summary.durationSeconds);
  Print(out, "  file length        %lld bytes\n", static_cast<long long>(summary.fileLength));
  Print(out, "  records by level   ");
  for (int k = 0; k < summary.channelCount; ++k) {
    Print(out, "     ch%d ", k);
  }
  Print(out, "\n    silent           ");
  for (const VoiChannelSummary& channel : summary.channels) {
    Print(out, "%8d ", channel.silent);
  }
  for (int level = 15; level >= 0; --level) {
    Print(out, "\n    %2d               ", level);
    for (const VoiChannelSummary& channel : summary.channels) {
      Print(out, "%8d ", channel.levels[static_cast<std::size_t>(level)]);
    }
  }
  Print(out, "\n  lowest pitch (Hz)  ");
  for (const VoiChannelSummary& channel : summary.channels) {
    channel.pitchRange ? Print(out, "%8.1f ", channel.pitchRange->low) : Print(out, "%8s ", "-");
  }
  Print(out, "\n  highest pitch (Hz) ");
  for (const VoiChannelSummary& channel : summary.channels) {
    channel.pitchRange ? Print(out, "%8.1f ", channel.pitchRange->high) : Print(out, "%8s ", "-");
  }
  Print(out, "\n");
}

void DatFramesText(std::string& out, const Inspection& file, const FrameRange& range) {
  Print(out, "  frame");
  for (int c = 0; c < kChannelSlots; ++c) {
    Print(out, "  ch%d amplitude, Hz ", c);
  }
  Print(out, "\n");
  for (int f = range.first; f < range.last; ++f) {
    Print(out, "  %5d", f);
    for (const ChannelSample& sample : file.dat.frames[static_cast<std::size_t>(f)].channels) {
      Print(out, "  %5d %10.1f ", sample.amplitude, sample.frequency / 10.0);
    }
    Print(out, "\n");
  }
}

void VoiFramesText(std::string& out, const Inspection& file, const FrameRange& range) {
  Print(out, "  frame");
  for (int k = 0; k < file.voi.channelCount; ++k) {
    Print(out, "  ch%d record, Hz, level", k);
  }
  Print(out, "\n");
  for (int f = range.first; f < range.last; ++f) {
    Print(out, "  %5d", f);
    for (int k = 0; k < file.voi.channelCount; ++k) {
      const ChannelRecord record = file.voi.Record(f, k);
      const DecodedRecord decoded = DecodeRecord(file.voi.sourceType, record);
      if (decoded.silent) {
        Print(out, "  %s %15s", RecordHex(record).c_str(), "silent");
      } else {
        Print(out, "  %s %9.1f %2d   ", RecordHex(record).c_str(), decoded.hertz, decoded.level);
      }
    }
    Print(out, "\n");
  }
}

}  // namespace

std::string TextReport(const std::vector<Inspection>& files,
                       const std::optional<FrameRange>& frames) {
  std::string out;
  for (const Inspection& file : files) {
    if (!file.ok()) {
      continue;
    }
    if (!out.empty()) {
      out += "\n";
    }
    const int frameCount =
        file.kind == FileKind::dat ? file.datSummary.frames : file.voiSummary.outputFrames;
    file.kind == FileKind::dat ? DatSummaryText(out, file) : VoiSummaryText(out, file);
    if (frames) {
      const FrameRange range = frames->ClippedTo(frameCount);
      Print(out, "  frames %d to %d:\n", range.first, range.last - 1);
      if (range.first >= range.last) {
        Print(out, "  (none: the file has %d frames)\n", frameCount);
      } else if (file.kind == FileKind::dat) {
        DatFramesText(out, file, range);
      } else {
        VoiFramesText(out, file, range);
      }
    }
  }
  return out;
}

}  // namespace larkfold

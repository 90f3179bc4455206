#include <algorithm>
#include <cstdio>

#include "preview/file_report.h"
#include "preview/text_format.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

constexpr int kBarWidth = 30;

std::string Bar(int count, int largest) {
  const int width = largest > 0 ? (count * kBarWidth + largest - 1) / largest : 0;
  return std::string(static_cast<std::size_t>(width), '#');
}

void DatSummaryText(std::string& out, const Inspection& file) {
  const DatSummary& summary = file.datSummary;
  AppendFormatted(out, "%s: DAT recording\n", file.path.c_str());
  AppendFormatted(out, "  frames             %d (%.3f s at 60 frames per second)\n", summary.frames,
                  summary.durationSeconds);
  AppendFormatted(out, "  trailer rate       %d\n", summary.trailerRate);
  AppendFormatted(out, "  largest amplitude  %d (normalised to 65535)\n", summary.largestAmplitude);
  if (summary.frequencyRange) {
    AppendFormatted(out, "  frequency range    %.1f Hz to %.1f Hz (sounding channels)\n",
                    summary.frequencyRange->low, summary.frequencyRange->high);
  } else {
    AppendFormatted(out, "  frequency range    none: no channel sounds\n");
  }
  AppendFormatted(out, "  channels sounding per frame (normalised amplitude 1024 or more):\n");
  const int largest =
      *std::max_element(summary.soundingHistogram.begin(), summary.soundingHistogram.end());
  for (std::size_t k = 0; k < summary.soundingHistogram.size(); ++k) {
    const int count = summary.soundingHistogram[k];
    AppendFormatted(out, "    %d  %6d  %s\n", static_cast<int>(k), count,
                    Bar(count, largest).c_str());
  }
}

void VoiSummaryText(std::string& out, const Inspection& file) {
  const VoiSummary& summary = file.voiSummary;
  AppendFormatted(out, "%s: VOI file, %s, %d channels\n", file.path.c_str(),
                  summary.sourceType == SourceType::Fm ? "FM" : "PCM", summary.channelCount);
  AppendFormatted(out, "  output frames      %d (%.3f s at 60 frames per second)\n",
                  summary.outputFrames, summary.durationSeconds);
  AppendFormatted(out, "  file length        %lld bytes\n",
                  static_cast<long long>(summary.fileLength));
  AppendFormatted(out, "  records by level   ");
  for (int k = 0; k < summary.channelCount; ++k) {
    AppendFormatted(out, "     ch%d ", k);
  }
  AppendFormatted(out, "\n    silent           ");
  for (const VoiChannelSummary& channel : summary.channels) {
    AppendFormatted(out, "%8d ", channel.silent);
  }
  for (int level = 15; level >= 0; --level) {
    AppendFormatted(out, "\n    %2d               ", level);
    for (const VoiChannelSummary& channel : summary.channels) {
      AppendFormatted(out, "%8d ", channel.levels[static_cast<std::size_t>(level)]);
    }
  }
  AppendFormatted(out, "\n  lowest pitch (Hz)  ");
  for (const VoiChannelSummary& channel : summary.channels) {
    channel.pitchRange ? AppendFormatted(out, "%8.1f ", channel.pitchRange->low)
                       : AppendFormatted(out, "%8s ", "-");
  }
  AppendFormatted(out, "\n  highest pitch (Hz) ");
  for (const VoiChannelSummary& channel : summary.channels) {
    channel.pitchRange ? AppendFormatted(out, "%8.1f ", channel.pitchRange->high)
                       : AppendFormatted(out, "%8s ", "-");
  }
  AppendFormatted(out, "\n");
}

void DatFramesText(std::string& out, const Inspection& file, const FrameRange& range) {
  AppendFormatted(out, "  frame");
  for (int c = 0; c < kChannelSlots; ++c) {
    AppendFormatted(out, "  ch%d amplitude, Hz ", c);
  }
  AppendFormatted(out, "\n");
  for (int f = range.first; f < range.last; ++f) {
    AppendFormatted(out, "  %5d", f);
    for (const ChannelSample& sample : file.dat.frames[static_cast<std::size_t>(f)].channels) {
      AppendFormatted(out, "  %5d %10.1f ", sample.amplitude, sample.frequency / 10.0);
    }
    AppendFormatted(out, "\n");
  }
}

void VoiFramesText(std::string& out, const Inspection& file, const FrameRange& range) {
  AppendFormatted(out, "  frame");
  for (int k = 0; k < file.voi.channelCount; ++k) {
    AppendFormatted(out, "  ch%d record, Hz, level", k);
  }
  AppendFormatted(out, "\n");
  for (int f = range.first; f < range.last; ++f) {
    AppendFormatted(out, "  %5d", f);
    for (int k = 0; k < file.voi.channelCount; ++k) {
      const ChannelRecord record = file.voi.Record(f, k);
      const DecodedRecord decoded = DecodeRecord(file.voi.sourceType, record);
      if (decoded.silent) {
        AppendFormatted(out, "  %s %15s", RecordHex(record).c_str(), "silent");
      } else {
        AppendFormatted(out, "  %s %9.1f %2d   ", RecordHex(record).c_str(), decoded.hertz,
                        decoded.level);
      }
    }
    AppendFormatted(out, "\n");
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
      AppendFormatted(out, "  frames %d to %d:\n", range.first, range.last - 1);
      if (range.first >= range.last) {
        AppendFormatted(out, "  (none: the file has %d frames)\n", frameCount);
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

#include "preview/summaries.h"

#include <algorithm>

#include "assign/ordering_cost.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

constexpr double kTenthsPerHertz = 10.0;

void Widen(std::optional<HertzRange>& range, double hertz) {
  if (!range) {
    range = HertzRange{hertz, hertz};
  } else {
    range->low = std::min(range->low, hertz);
    range->high = std::max(range->high, hertz);
  }
}

}  // namespace

bool IsSounding(const ChannelSample& sample) {
  return sample.amplitude >= QuietAmplitude;
}

DatSummary SummariseDat(const DatInput& input) {
  DatSummary summary;
  summary.frames = static_cast<int>(input.frames.size());
  summary.durationSeconds = summary.frames / kFramesPerSecond;
  summary.largestAmplitude = input.largestAmplitude;
  for (const DatFrame& frame : input.frames) {
    int sounding = 0;
    for (const ChannelSample& sample : frame.channels) {
      if (IsSounding(sample)) {
        ++sounding;
        Widen(summary.frequencyRange, sample.frequency / kTenthsPerHertz);
      }
    }
    ++summary.soundingHistogram[static_cast<std::size_t>(sounding)];
  }
  return summary;
}

VoiSummary SummariseVoi(const VoiFile& file) {
  VoiSummary summary;
  summary.sourceType = file.sourceType;
  summary.channelCount = file.channelCount;
  summary.outputFrames = file.frameCount;
  summary.durationSeconds = file.frameCount / kFramesPerSecond;
  summary.fileLength = file.fileLength;
  summary.channels.resize(static_cast<std::size_t>(file.channelCount));
  for (int f = 0; f < file.frameCount; ++f) {
    for (int k = 0; k < file.channelCount; ++k) {
      VoiChannelSummary& channel = summary.channels[static_cast<std::size_t>(k)];
      const DecodedRecord decoded = DecodeRecord(file.sourceType, file.Record(f, k));
      if (decoded.silent) {
        ++channel.silent;
        continue;
      }
      ++channel.levels[static_cast<std::size_t>(decoded.level)];
      Widen(channel.pitchRange, decoded.hertz);
    }
  }
  return summary;
}

}  // namespace larkfold

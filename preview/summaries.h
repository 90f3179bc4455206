// The numbers `inspect` reports about a DAT or a VOI file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "dat/dat_format.h"
#include "preview/dat_input.h"
#include "voi/voi_reader.h"

namespace larkfold {

inline constexpr double kFramesPerSecond = 60.0;

struct HertzRange {
  double low;
  double high;
};

struct DatSummary {
  int frames = 0;
  double durationSeconds = 0.0;
  int trailerRate = kDatFrameRate;    // a prepared file always has this one
  std::int32_t largestAmplitude = 1;  // in the file's scale
  // Over the sounding channels (normalised amplitude of 1024 or more).
  std::optional<HertzRange> frequencyRange;
  // soundingHistogram[k]: frames in which exactly k of the eight channels sound.
  std::array<int, kChannelSlots + 1> soundingHistogram{};
};

struct VoiChannelSummary {
  int silent = 0;                        // silent records
  std::array<int, 16> levels{};          // sounding records by level
  std::optional<HertzRange> pitchRange;  // of the sounding records
};

struct VoiSummary {
  SourceType sourceType = SourceType::Pcm;
  int channelCount = 0;
  int outputFrames = 0;
  double durationSeconds = 0.0;  // at 60 frames per second
  std::int64_t fileLength = 0;
  std::vector<VoiChannelSummary> channels;
};

DatSummary SummariseDat(const DatInput& input);
VoiSummary SummariseVoi(const VoiFile& file);

// Whether a prepared channel counts as sounding, as the channel matching counts it.
bool IsSounding(const ChannelSample& sample);

}  // namespace larkfold

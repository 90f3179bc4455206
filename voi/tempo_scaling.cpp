#include "voi/tempo_scaling.h"

#include <algorithm>

#include "voi/fm_encoding.h"
#include "voi/pcm_encoding.h"
#include "voi/voi_image.h"

namespace larkfold {

double AmplitudeTable[kTableFrames][kChannelSlots];
double FrequencyTable[kTableFrames][kChannelSlots];

namespace {
constexpr double kTenthsPerHertz = 10.0;
}

void FillChannelTables(const DatFrame* frames, std::int32_t frameCount) {
  std::fill(&AmplitudeTable[0][0], &AmplitudeTable[0][0] + kTableFrames * kChannelSlots, 0.0);
  std::fill(&FrequencyTable[0][0], &FrequencyTable[0][0] + kTableFrames * kChannelSlots, 0.0);
  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (int j = 0; j < kChannelSlots; ++j) {
      AmplitudeTable[i][j] = static_cast<double>(frames[i].channels[j].amplitude);
      FrequencyTable[i][j] = static_cast<double>(frames[i].channels[j].frequency) / kTenthsPerHertz;
    }
  }
}

double TempoStep(double speedFactor) {
  double step = speedFactor - 1.0;
  if (speedFactor < 1.0) {
    step = 1.0 - 1.0 / speedFactor;
  }
  return step;
}

std::int32_t EncodeFrames(const DatFrame* frames, std::int32_t frameCount,
                          const ConversionSettings& settings) {
  FillChannelTables(frames, frameCount);
  VoiImage::Begin(settings.sourceType, settings.channelCount);
  const auto encode = settings.sourceType == SourceType::Fm ? EncodeFmChannel : EncodePcmChannel;
  const std::int32_t outputFrames =
      RunTempoLoop(frameCount, settings.speedFactor, [&](std::int32_t b) {
        for (std::int32_t k = 0; k < settings.channelCount; ++k) {
          VoiImage::Append(
              encode(FrequencyTable[b][k], AmplitudeTable[b][k], settings.volumePercent));
        }
      });
  return VoiImage::Finish(outputFrames);
}

}  // namespace larkfold

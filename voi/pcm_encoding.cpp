// PCM channel record, for a voice player whose pitch step is 8192 at 15700 Hz:
//
//   byte 0  bits 0-7  pitch step bits 0-7
//   byte 1  bits 4-7  pitch step bits 8-11 (the step is always 29 to 4095)
//           bits 0-3  level 0-15, one step per factor 1.3 of amplitude (about 2.3 dB)
//
// Level 0 always goes with the step 4095, so every silent record is FF F0.
#include "voi/pcm_encoding.h"

#include <cmath>

#include "voi/scaled_amplitude.h"

namespace larkfold {
namespace {

constexpr double kReferenceRate = 15700.0;
constexpr double kStepUnit = 32768.0;
constexpr double kStepDivisor = 4.0;  // 32768 / 4 = 8192 per reference rate
constexpr int kLowestStep = 29;
constexpr int kHighestStep = 4095;
constexpr double kLevelRatio = 1.3;
constexpr double kLevelOffset = 26.28;
constexpr int kLoudestLevel = 15;

}  // namespace

ChannelRecord EncodePcmChannel(double hertz, double amplitude, std::int32_t volumePercent) {
  double x = hertz / kReferenceRate;
  x = x * kStepUnit;
  x = x / kStepDivisor;
  x = x + 0.5;
  int step = static_cast<int>(x);
  if (step < kLowestStep) {
    step = kLowestStep;
  }
  if (step > kHighestStep) {
    step = kHighestStep;
  }

  const std::int32_t scaled = ScaledAmplitude(volumePercent, amplitude);
  int level = static_cast<int>(std::log(static_cast<double>(scaled)) / std::log(kLevelRatio) -
                               kLevelOffset);
  if (level > kLoudestLevel) {
    level = kLoudestLevel;
  }
  if (level < 0) {
    level = 0;
  }
  if (level == 0) {
    step = kHighestStep;
  }

  return ChannelRecord{static_cast<std::uint8_t>(step & 0xFF),
                       static_cast<std::uint8_t>((step >> 8) * 16 + level)};
}

}  // namespace larkfold

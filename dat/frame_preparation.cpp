#include "dat/frame_preparation.h"

#include <cmath>
#include <cstring>

#include "convert/messages.h"

namespace larkfold {

std::int32_t PitchIndexTable[kTableFrames][kChannelSlots];
std::int32_t LogAmplitudeTable[65536];

namespace {

constexpr double kAmplitudeScale = 65535.0;
constexpr double kTenthsPerHertz = 10.0;
constexpr double kLogScale = 1000.0;
// ln(kPitchRatio) in double precision; a test holds it to the library's log.
constexpr double kLogPitchRatio = 0.019254088348887363;

std::int32_t ReadInt32(const unsigned char* bytes) {
  std::int32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace

std::int32_t PitchIndexOf(std::int32_t frequency) {
  if (frequency < 0) {
    return 0;
  }
  const double hertz = static_cast<double>(frequency == 0 ? 1 : frequency) / kTenthsPerHertz;
  return static_cast<std::int32_t>(std::log(hertz) / kLogPitchRatio - kPitchOffset);
}

ConversionResult PrepareFrames(void* block, std::int32_t length, std::int32_t n,
                               std::int32_t& frameCount) {
  const std::int32_t recordCount = length / kDatRecordSize;
  if (recordCount <= 0) {
    return ConversionResult(messages::kNoData);
  }
  if (recordCount > kDatRecordLimit) {
    return ConversionResult(messages::kTooLarge);
  }
  const auto* bytes = static_cast<const unsigned char*>(block);
  if (ReadInt32(bytes + kDatRecordSize * recordCount - 4) != kDatFrameRate) {
    return ConversionResult(messages::kNotSixtiethSecond);
  }
  frameCount = recordCount - 1;

  auto* frames = static_cast<DatFrame*>(block);
  std::int32_t maxAmplitude = 1;
  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (const ChannelSample& sample : frames[i].channels) {
      if (sample.amplitude > maxAmplitude) {
        maxAmplitude = sample.amplitude;
      }
    }
  }

  // A negative amplitude has no meaning in a recording; it is taken as
  // silence, which also keeps every normalised value inside LogAmplitudeTable.
  const double scaleDivisor = static_cast<double>(maxAmplitude);
  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (ChannelSample& sample : frames[i].channels) {
      sample.amplitude = sample.amplitude < 0
                             ? 0
                             : static_cast<std::int32_t>(static_cast<double>(sample.amplitude) *
                                                         kAmplitudeScale / scaleDivisor);
    }
  }

  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (std::int32_t c = 0; c < n; ++c) {
      PitchIndexTable[i][c] = PitchIndexOf(frames[i].channels[c].frequency);
    }
  }

  for (int i = 1; i < 65536; ++i) {
    LogAmplitudeTable[i] = static_cast<std::int32_t>(std::log(static_cast<double>(i)) * kLogScale);
  }
  LogAmplitudeTable[0] = 0;
  return ConversionResult();
}

}  // namespace larkfold

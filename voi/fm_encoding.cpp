// FM channel record, for a tone generator clocked at 3579545 Hz that makes one
// sample every 72 clocks:
//
//   byte 0  bits 0-7  F-number bits 0-7
//   byte 1  bits 5-7  block (octave), modulo 8
//           bit  4    F-number bit 8
//           bits 0-3  level 0-15, one step per half octave of amplitude (about 3 dB)
//
// A channel too quiet for level 0 is the record 00 00.
#include "voi/fm_encoding.h"

#include <cmath>

#include "voi/scaled_amplitude.h"

namespace larkfold {
namespace {

constexpr double kFNumberUnit = 524288.0;  // 2^19: 2^18 per sample, halved below
constexpr double kMasterClock = 3579545.0;
constexpr double kClocksPerSample = 72.0;
constexpr double kFNumberLimit = 512.0;  // the F-number has 9 bits
constexpr int kLevelOffset = 16;         // level 0 starts at a scaled amplitude of 2^8
constexpr int kLoudestLevel = 15;

}  // namespace

ChannelRecord EncodeFmChannel(double hertz, double amplitude, std::int32_t volumePercent) {
  // f * 2^18 / (clock / 72), rounded by the half added before the octave is taken out.
  double fNumber = hertz * kFNumberUnit;
  fNumber = fNumber / kMasterClock;
  fNumber = fNumber * kClocksPerSample;
  fNumber = fNumber / 2.0;
  fNumber = fNumber + 0.5;

  int block = 0;
  while (fNumber >= kFNumberLimit) {
    fNumber = fNumber / 2.0;
    ++block;
  }

  const std::int32_t scaled = ScaledAmplitude(volumePercent, amplitude);
  const double octaves = std::log(static_cast<double>(scaled)) / std::log(2.0);
  int level = static_cast<int>(octaves + octaves) - kLevelOffset;
  if (level > kLoudestLevel) {
    level = kLoudestLevel;
  }
  if (level < 0) {
    block = 0;
    level = 0;
    fNumber = 0.0;
  }

  const std::int32_t t = static_cast<std::int32_t>(fNumber);
  return ChannelRecord{static_cast<std::uint8_t>(t & 0xFF),
                       static_cast<std::uint8_t>((((t >> 8) + 2 * block) * 16 + level) & 0xFF)};
}

}  // namespace larkfold

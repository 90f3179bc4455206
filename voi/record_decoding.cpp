// Decoding inverts the encoders' formulas. FM: the encoder computes
// E = f * 2^19 / 3579545 * 72 / 2 + 1/2 and halves it once per block while it
// is 512 or more, so the truncated F-number t of block b stands for
// f = t * 2^b * 3579545 / (72 * 2^18) (to within one F-number step). PCM: the
// step is f / 15700 * 32768 / 4 + 1/2, truncated, so f = step * 15700 / 8192.
#include "voi/record_decoding.h"

#include <cmath>

namespace larkfold {
namespace {

constexpr double kMasterClock = 3579545.0;
constexpr double kClocksPerSample = 72.0;
constexpr double kPhaseUnit = 262144.0;  // 2^18: F-number steps per cycle at block 0
constexpr double kPcmReferenceRate = 15700.0;
constexpr double kPcmStepsPerReference = 8192.0;
constexpr int kLoudestLevel = 15;
constexpr double kPcmLevelRatio = 1.3;

}  // namespace

FmFields FmFieldsOf(ChannelRecord record) {
  return FmFields{record[0] | ((record[1] >> 4) & 1) << 8, record[1] >> 5, record[1] & 0x0F};
}

PcmFields PcmFieldsOf(ChannelRecord record) {
  return PcmFields{record[0] | (record[1] >> 4) << 8, record[1] & 0x0F};
}

double FmHertz(int fNumber, int block) {
  return static_cast<double>(fNumber) * std::ldexp(1.0, block) * kMasterClock /
         (kClocksPerSample * kPhaseUnit);
}

double PcmHertz(int step) {
  return static_cast<double>(step) * kPcmReferenceRate / kPcmStepsPerReference;
}

double FmLevelGain(int level) {
  return std::pow(2.0, (level - kLoudestLevel) / 2.0);
}

double PcmLevelGain(int level) {
  return std::pow(kPcmLevelRatio, level - kLoudestLevel);
}

DecodedRecord DecodeRecord(SourceType source, ChannelRecord record) {
  if (source == SourceType::Fm) {
    const FmFields fields = FmFieldsOf(record);
    const bool silent = record[0] == 0 && record[1] == 0;
    return DecodedRecord{silent, FmHertz(fields.fNumber, fields.block), fields.level,
                         silent ? 0.0 : FmLevelGain(fields.level)};
  }
  const PcmFields fields = PcmFieldsOf(record);
  const bool silent = fields.level == 0;
  return DecodedRecord{silent, PcmHertz(fields.step), fields.level,
                       silent ? 0.0 : PcmLevelGain(fields.level)};
}

}  // namespace larkfold

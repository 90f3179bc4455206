// What one channel record of a VOI file sounds like: its pitch in hertz and
// its loudness, read back from the register fields the encoders pack.
#pragma once

#include "convert/conversion_settings.h"
#include "voi/channel_record.h"

namespace larkfold {

// The fields of an FM record: byte 0 F-number bits 0-7; byte 1 block in bits
// 5-7, F-number bit 8 in bit 4, level in bits 0-3.
struct FmFields {
  int fNumber;  // 0 to 511
  int block;    // 0 to 7
  int level;    // 0 to 15
};

// The fields of a PCM record: byte 0 pitch step bits 0-7; byte 1 step bits
// 8-11 in bits 4-7, level in bits 0-3.
struct PcmFields {
  int step;   // 0 to 4095 (the encoder writes 29 to 4095)
  int level;  // 0 to 15
};

FmFields FmFieldsOf(ChannelRecord record);
PcmFields PcmFieldsOf(ChannelRecord record);

// F-number * 2^block * 3579545 / (72 * 2^18): the generator makes one sample
// every 72 clocks, at block 0 the F-number is its phase step per sample in
// 2^18ths of a cycle, and each block doubles the step.
double FmHertz(int fNumber, int block);

// step * 15700 / 8192.
double PcmHertz(int step);

// Amplitude of a level relative to level 15: FM half an octave (about 3 dB)
// per step, PCM a factor 1.3 per step.
double FmLevelGain(int level);
double PcmLevelGain(int level);

struct DecodedRecord {
  bool silent;   // FM 00 00, or any PCM record of level 0
  double hertz;  // the pitch the record holds (meaningless when silent)
  int level;     // 0 to 15
  double gain;   // amplitude relative to level 15; 0 when silent
};

DecodedRecord DecodeRecord(SourceType source, ChannelRecord record);

}  // namespace larkfold

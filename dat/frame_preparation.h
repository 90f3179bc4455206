// Turns a loaded DAT file into the input of the channel assignment search:
// validates it, normalises every amplitude to 0..65535, and builds the pitch
// and log-amplitude tables the search compares channels with.
#pragma once

#include <cstdint>

#include "convert/conversion_result.h"
#include "dat/dat_format.h"

namespace larkfold {

// Pitch of channel slot c of frame i in thirds of a semitone above MIDI note 0:
// PitchIndexTable[i][c]. Each conversion writes rows 0..frameCount-1, slots 0..n-1.
extern std::int32_t PitchIndexTable[kTableFrames][kChannelSlots];

// trunc(ln(i) * 1000) for every normalised amplitude i; entry 0 is 0.
extern std::int32_t LogAmplitudeTable[65536];

inline constexpr double kPitchRatio = 1.0194406437021448;   // the double nearest 2^(1/36)
inline constexpr double kPitchOffset = 109.12894968688775;  // 36 * log2 of MIDI note 0 in Hz

// The pitch index of a frequency field (tenths of a hertz).
std::int32_t PitchIndexOf(std::int32_t frequency);

// Checks the record count and the trailer of the `length` bytes at `block`,
// then normalises the frames in place and fills both tables for `n` active
// channels. Sets `frameCount` on success. Negative amplitudes count as silence.
ConversionResult PrepareFrames(void* block, std::int32_t length, std::int32_t n,
                               std::int32_t& frameCount);

}  // namespace larkfold

// How far an ordering of frame u's channels is from frame u-1, by pitch and
// loudness: the sum over output positions k of one term each.
#pragma once

#include <cstdint>

#include "assign/permutation_table.h"
#include "dat/dat_format.h"
#include "dat/frame_preparation.h"

namespace larkfold {

// On the normalised scale a channel below this amplitude counts as quiet.
inline constexpr std::int32_t QuietAmplitude = 1024;

// The two frames one search step compares: `previous` in its final order,
// `current` still in file order, with their pitch-index rows.
struct FramePair {
  const DatFrame& previous;
  const DatFrame& current;
  const std::int32_t* previousPitch;
  const std::int32_t* currentPitch;
  int n;
};

// The term for output position k taking channel j of the current frame:
// |pitch difference| * |log-amplitude difference| between two sounding
// channels, the log-amplitude difference alone when one is quiet, 0 when both are.
inline std::int32_t OrderingTerm(const FramePair& pair, int k, int j) {
  const std::int32_t a = pair.current.channels[j].amplitude;
  const std::int32_t b = pair.previous.channels[k].amplitude;
  const std::int32_t loudness = LogAmplitudeTable[a] - LogAmplitudeTable[b];
  const std::int32_t dL = loudness < 0 ? -loudness : loudness;
  std::int32_t w;
  if (a < QuietAmplitude && b < QuietAmplitude) {
    w = 0;
  } else if (a < QuietAmplitude || b < QuietAmplitude) {
    w = 1;
  } else {
    const std::int32_t pitch = pair.currentPitch[j] - pair.previousPitch[k];
    w = pitch < 0 ? -pitch : pitch;
  }
  return w * dL;
}

// The cost of `p` (slots 0..n-1 used) for the current frame against the previous one.
std::int32_t OrderingCost(const FramePair& pair, const Ordering& p);

}  // namespace larkfold

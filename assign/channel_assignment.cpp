#include "assign/channel_assignment.h"

#include "assign/exhaustive_search.h"
#include "assign/fast_solver.h"
#include "dat/frame_preparation.h"

namespace larkfold {
namespace {

// The new slot k takes the old slot p[k], field by field through a copy.
void ApplyOrdering(DatFrame& frame, std::int32_t* pitchRow, const Ordering& p, int n) {
  std::int32_t copy[8];
  for (int k = 0; k < n; ++k)
    copy[k] = frame.channels[k].frequency;
  for (int k = 0; k < n; ++k)
    frame.channels[k].frequency = copy[p[k]];
  for (int k = 0; k < n; ++k)
    copy[k] = frame.channels[k].amplitude;
  for (int k = 0; k < n; ++k)
    frame.channels[k].amplitude = copy[p[k]];
  for (int k = 0; k < n; ++k)
    copy[k] = pitchRow[k];
  for (int k = 0; k < n; ++k)
    pitchRow[k] = copy[p[k]];
}

}  // namespace

bool AssignChannels(DatFrame* frames, std::int32_t frameCount, std::int32_t n, SearchMethod method,
                    SearchTiming& timing, ConversionHost& host) {
  const auto solve = method == SearchMethod::exhaustive ? ExhaustiveBestOrdering : FastBestOrdering;
  for (std::int32_t u = 1; u < frameCount; ++u) {
    BeginFrameTiming(timing);
    const FramePair pair{frames[u - 1], frames[u], PitchIndexTable[u - 1], PitchIndexTable[u], n};
    ApplyOrdering(frames[u], PitchIndexTable[u], solve(pair), n);
    EndFrameTiming(timing);
    if (PollProgress(timing, host, frameCount, u) == PollResult::Cancelled) {
      return false;
    }
  }
  return true;
}

}  // namespace larkfold

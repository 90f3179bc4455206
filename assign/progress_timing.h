// Timing of the search: how long the last frame took, and about every 100 ms a
// poll that honours a cancel request, refreshes the remaining time in the
// progress window and lets waiting window messages through.
#pragma once

#include <cstdint>

#include "convert/conversion_host.h"

namespace larkfold {

enum class PollResult { Continue, Cancelled };

// The timing values of one conversion's search.
struct SearchTiming {
  std::int64_t counterFrequency = 0;  // ticks per second of the frame counter
  std::int32_t lastPollClock = 0;     // millisecond clock at the last poll
  std::int64_t frameStart = 0;
  double frameMicroseconds = 0.0;  // duration of the last searched frame
};

inline constexpr std::int32_t kPollIntervalMilliseconds = 100;

void StartPollClock(SearchTiming& timing);
void BeginFrameTiming(SearchTiming& timing);
void EndFrameTiming(SearchTiming& timing);

// ((frameCount - u) * frameMicroseconds + 999999) / 1000000: the seconds the
// remaining frames, u included, would take at the last frame's pace, which
// the window truncates (so it reads as the microseconds rounded up).
double EstimateRemainingSeconds(std::int32_t frameCount, std::int32_t u, double frameMicroseconds);

// Called after every searched frame u.
PollResult PollProgress(SearchTiming& timing, ConversionHost& host, std::int32_t frameCount,
                        std::int32_t u);

// The end of a cancelled conversion: closes a progress window still open,
// releases the pool, shows "中止しました", clears the busy flag.
void FinishCancelledConversion(ConversionHost& host);

}  // namespace larkfold

// The two clocks of a conversion: the high-resolution counter that times each
// searched frame, and the millisecond clock that spaces the progress polls.
#pragma once

#include <cstdint>

namespace larkfold {

// Ticks per second of the high-resolution counter; false when there is none.
bool ReadCounterFrequency(std::int64_t* frequency);

std::int64_t ReadCounter();

// Wall-clock milliseconds since the process started.
std::int32_t ReadMillisecondClock();

}  // namespace larkfold

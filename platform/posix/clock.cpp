#include "platform/clock.h"

#include <time.h>

namespace larkfold {
namespace {

std::int64_t MonotonicNanoseconds() {
  timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

// clock() counts processor time here, not wall-clock time, so the millisecond
// clock counts from this reading, taken as the program starts.
const std::int64_t processStart = MonotonicNanoseconds();

}  // namespace

bool ReadCounterFrequency(std::int64_t* frequency) {
  *frequency = 1000000000;
  return true;
}

std::int64_t ReadCounter() {
  return MonotonicNanoseconds();
}

std::int32_t ReadMillisecondClock() {
  return static_cast<std::int32_t>((MonotonicNanoseconds() - processStart) / 1000000);
}

}  // namespace larkfold

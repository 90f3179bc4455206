#include "platform/clock.h"

#include <windows.h>

#include <ctime>

namespace larkfold {

bool ReadCounterFrequency(std::int64_t* frequency) {
  LARGE_INTEGER ticks;
  if (!::QueryPerformanceFrequency(&ticks)) {
    return false;
  }
  *frequency = ticks.QuadPart;
  return true;
}

std::int64_t ReadCounter() {
  LARGE_INTEGER ticks;
  ::QueryPerformanceCounter(&ticks);
  return ticks.QuadPart;
}

// The Windows runtime's clock() counts wall-clock milliseconds since the
// process started (CLOCKS_PER_SEC is 1000).
std::int32_t ReadMillisecondClock() {
  static_assert(CLOCKS_PER_SEC == 1000);
  return static_cast<std::int32_t>(std::clock());
}

}  // namespace larkfold

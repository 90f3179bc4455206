// Two frames of the search with their pitch rows, for the solvers' tests.
#pragma once

#include <cmath>

#include "assign/ordering_cost.h"
#include "dat/frame_preparation.h"

namespace larkfold::testing {

struct FramePairData {
  DatFrame previous = {};
  DatFrame current = {};
  std::int32_t previousPitch[8] = {};
  std::int32_t currentPitch[8] = {};
  int n = 8;
  FramePair View() const { return FramePair{previous, current, previousPitch, currentPitch, n}; }
};

// LogAmplitudeTable as every conversion builds it.
inline void BuildLogAmplitudeTable() {
  for (int i = 1; i < 65536; ++i) {
    LogAmplitudeTable[i] = static_cast<std::int32_t>(std::log(static_cast<double>(i)) * 1000.0);
  }
  LogAmplitudeTable[0] = 0;
}

}  // namespace larkfold::testing

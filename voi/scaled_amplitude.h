#pragma once

#include <cstdint>

namespace larkfold {

// trunc(volume * amplitude / 100) in double arithmetic, where 0 becomes 1. A
// value below 1 (it comes only from negative amplitudes) also gives 1, which
// encodes the same record as any negative value would.
inline std::int32_t ScaledAmplitude(std::int32_t volumePercent, double amplitude) {
  const double scaled = static_cast<double>(volumePercent) * amplitude / 100.0;
  if (!(scaled >= 1.0)) {
    return 1;
  }
  return scaled >= 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(scaled);
}

}  // namespace larkfold

// DAT files made in the tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dat/dat_format.h"

namespace larkfold::testing {

inline DatFrame Frame(std::initializer_list<ChannelSample> channels) {
  DatFrame frame = {};
  int c = 0;
  for (const ChannelSample& sample : channels)
    frame.channels[c++] = sample;
  return frame;
}

// The frames, then a trailer holding `frameRate`, then `tail` extra bytes.
inline std::string DatBytes(const std::vector<DatFrame>& frames, std::int32_t frameRate = 60,
                            std::size_t tail = 0) {
  std::string bytes(frames.size() * sizeof(DatFrame) + 64 + tail, '\0');
  if (!frames.empty())
    std::memcpy(bytes.data(), frames.data(), frames.size() * sizeof(DatFrame));
  std::memcpy(bytes.data() + frames.size() * sizeof(DatFrame) + 60, &frameRate, 4);
  for (std::size_t i = 0; i < tail; ++i)
    bytes[bytes.size() - tail + i] = static_cast<char>(0xA5);
  return bytes;
}

}  // namespace larkfold::testing

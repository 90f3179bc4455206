#pragma once

#include <array>
#include <cstdint>

namespace larkfold {

// The two bytes one channel of one output frame takes in a VOI file, byte 0 first.
using ChannelRecord = std::array<std::uint8_t, 2>;

}  // namespace larkfold

#pragma once

#include <cstdint>

#include "voi/channel_record.h"

namespace larkfold {

// The record of one channel for the FM tone generator: pitch `hertz`, normalised
// `amplitude` (0..65535), `volumePercent` (20..200).
ChannelRecord EncodeFmChannel(double hertz, double amplitude, std::int32_t volumePercent);

}  // namespace larkfold

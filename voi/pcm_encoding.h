#pragma once

#include <cstdint>

#include "voi/channel_record.h"

namespace larkfold {

// The record of one channel for the PCM voice player: pitch `hertz`, normalised
// `amplitude` (0..65535), `volumePercent` (20..200).
ChannelRecord EncodePcmChannel(double hertz, double amplitude, std::int32_t volumePercent);

}  // namespace larkfold

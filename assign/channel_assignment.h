// Reorders the active channels of every frame after the first so that each
// output position continues the channel it carried in the frame before.
#pragma once

#include <cstdint>

#include "assign/progress_timing.h"
#include "assign/search_choice.h"
#include "convert/conversion_host.h"
#include "dat/dat_format.h"

namespace larkfold {

// Frames 1..frameCount-1 in order, each against the frame before as already
// reordered; frequency, amplitude and pitch index of slots 0..n-1 move together,
// slots n..7 stay. Polls after every frame; false when a poll reported a cancel.
bool AssignChannels(DatFrame* frames, std::int32_t frameCount, std::int32_t n, SearchMethod method,
                    SearchTiming& timing, ConversionHost& host);

}  // namespace larkfold

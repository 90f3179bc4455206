// The convert button: one whole conversion, from the settings to the message
// that tells the user the outcome.
#pragma once

#include <cstdint>
#include <functional>

#include "assign/search_choice.h"
#include "convert/conversion_host.h"
#include "convert/conversion_result.h"
#include "convert/conversion_settings.h"

namespace larkfold {

// Runs a conversion with the settings of `host`'s controls, writes the VOI
// file next to the DAT file, and shows exactly one message (none when a
// conversion is already running). A CFileException raised while the DAT file
// is read passes through to the caller; by then no progress window exists and
// the busy flag is clear. `method` is how the channel assignment searches;
// both methods give the same file.
void OnConvert(ConversionHost& host, SearchMethod method = SearchMethodFromEnvironment());

// What a conversion does with its finished VOI image; its result is the
// conversion's result.
using OutputStage = std::function<ConversionResult(const ConversionSettings& settings,
                                                   const std::uint8_t* image, std::int32_t length)>;

// OnConvert with another last stage: everything else, messages included, is
// the same.
void RunConversion(ConversionHost& host, SearchMethod method, const OutputStage& output);

}  // namespace larkfold

// The convert button: one whole conversion, from the settings to the message
// that tells the user the outcome.
#pragma once

#include "assign/search_choice.h"
#include "convert/conversion_host.h"

namespace larkfold {

// Runs a conversion with the settings of `host`'s controls and shows exactly
// one message (none when a conversion is already running). A CFileException
// raised while the DAT file is read passes through to the caller; by then no
// progress window exists and the busy flag is clear. `method` is how the
// channel assignment searches; both methods give the same file.
void OnConvert(ConversionHost& host, SearchMethod method = SearchMethodFromEnvironment());

}  // namespace larkfold

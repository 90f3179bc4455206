// A conversion made on the fly for a preview: the core's own stages, in the
// driver's order, with the VOI image kept in memory instead of written next
// to the user's DAT file.
#pragma once

#include <cstdint>
#include <vector>

#include "assign/search_choice.h"
#include "convert/conversion_host.h"
#include "convert/conversion_result.h"

namespace larkfold {

enum class ConversionOutcome {
  converted,  // `voi` holds the file `convert` would write
  refused,    // a setting was refused; the host has shown its warning
  failed,     // `message` says why; nothing was shown
  cancelled,  // a cancel request was honoured at a poll; nothing was shown
};

struct InMemoryConversion {
  ConversionOutcome outcome = ConversionOutcome::failed;
  ConversionResult message;
  std::vector<std::uint8_t> voi;
};

// Reads the settings from `host` as a conversion does, and runs it. The host
// sees the settings warnings, the progress window and the polls, but no final
// message. A CFileException raised while the DAT file is read passes through.
InMemoryConversion ConvertInMemory(ConversionHost& host, SearchMethod method);

}  // namespace larkfold

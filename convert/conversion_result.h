#pragma once

#include <string>

namespace larkfold {

// The outcome of a stage: empty for success, otherwise the message to show.
using ConversionResult = std::string;

}  // namespace larkfold

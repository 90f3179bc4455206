// printf-style formatting appended to a string, for the text reports and the SVG writer.
#pragma once

#include <string>

namespace larkfold {

// Appends the formatted text (at most 511 bytes of it) to `out`.
[[gnu::format(printf, 2, 3)]] void AppendFormatted(std::string& out, const char* format, ...);

}  // namespace larkfold

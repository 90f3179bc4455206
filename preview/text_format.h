// printf-style formatting appended to a string, for the text reports and the SVG writer.
#pragma once

#include <string>

namespace larkfold {

// Appends the whole formatted text to `out`.
[[gnu::format(printf, 2, 3)]] void AppendFormatted(std::string& out, const char* format, ...);

}  // namespace larkfold

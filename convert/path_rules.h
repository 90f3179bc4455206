// The three rules the conversion applies to the DAT path as text.
#pragma once

#include <string>
#include <string_view>

namespace larkfold {

// Removes trailing spaces, tabs, line feeds, vertical tabs, form feeds and
// carriage returns.
std::string TrimTrailingWhiteSpace(std::string_view text);

// Whether the last three characters (the whole text when shorter) are "dat"
// in any mix of ASCII letter case.
bool EndsInDat(std::string_view path);

// The path without its last four characters, followed by ".voi".
std::string VoiPathFor(std::string_view datPath);

}  // namespace larkfold

// Numbers typed by the user are read the way the C runtime's atof and atoi read
// them: the longest leading numeric prefix counts, and text without one reads
// as zero. These readers are written out so that every platform reads alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace larkfold {

// White space, an optional sign, digits with at most one '.', and an optional
// exponent (e, E, d or D, an optional sign, digits); the nearest double to that
// prefix. No hexadecimal, infinity or not-a-number forms.
double ReadDecimalNumber(std::string_view text);

// White space, an optional sign and decimal digits. Values beyond the 32-bit
// range saturate at its ends.
std::int32_t ReadDecimalInteger(std::string_view text);

}  // namespace larkfold

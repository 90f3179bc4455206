// How the path rules count characters. Paths are held as UTF-8 everywhere; on
// Windows a character of a path is a UTF-16 code unit (so a character outside
// the basic plane counts twice), elsewhere it is one Unicode code point.
#pragma once

namespace larkfold {

#ifdef _WIN32
inline constexpr bool kPathCharactersAreUtf16Units = true;
#else
inline constexpr bool kPathCharactersAreUtf16Units = false;
#endif

}  // namespace larkfold

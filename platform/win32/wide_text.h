// Text at the border with the wide (UTF-16) Windows API. The program holds text
// as UTF-8; file names are held as WTF-8, UTF-8 that also encodes a lone
// surrogate, so that every name Windows can give comes back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace larkfold {

// UTF-8 or WTF-8 to UTF-16. A byte that starts no well-formed sequence becomes
// U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

// UTF-16 to WTF-8: a surrogate pair becomes its four-byte character, a lone
// surrogate its three-byte form.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace larkfold

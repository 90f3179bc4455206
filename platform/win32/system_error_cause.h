#pragma once

#include <string>

namespace larkfold {

// The file class's cause for a Windows system error code.
int CauseFromSystemError(unsigned long error);

// The full form of `path` as the wide API takes it, or an empty string when the
// system cannot make it full or the full form is too long for the system's
// file functions (260 units or more).
std::wstring FullPathOf(const std::wstring& path);

}  // namespace larkfold

#pragma once

#include <string>

namespace larkfold {

// The file class's cause for a system error number.
int CauseFromErrno(int error);

// The folder part of a path ("." when there is none).
std::string ParentFolder(const std::string& path);

}  // namespace larkfold

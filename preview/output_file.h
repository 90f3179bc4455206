// Writing a whole file made in memory (a picture) through the atomic output
// file.
#pragma once

#include <string>

namespace larkfold {

// Writes `bytes` as the file at `path`, replacing it in one step. Returns an
// empty string on success, otherwise a sentence that names the file and the
// reason; the target is then as it was.
std::string WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace larkfold

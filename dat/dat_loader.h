// Reads a whole DAT file into one block of the block pool.
#pragma once

#include <cstdint>
#include <string>

#include "convert/conversion_result.h"

namespace larkfold {

// Reads the file at `path` with one read into a new pool block of its length
// plus `extraBytes`, and zeroes the bytes after the file's. `block` is set once
// the pool has been asked (null when it had no memory); `length` as soon as the
// file is open. The content is not looked at, except that a file longer than
// any valid DAT file is refused before memory is taken. A failing length query,
// read or close raises CFileException.
ConversionResult LoadDatFile(const std::string& path, std::int32_t extraBytes, void*& block,
                             std::int32_t& length);

}  // namespace larkfold

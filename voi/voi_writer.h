#pragma once

#include <cstdint>
#include <string>

#include "convert/conversion_result.h"

namespace larkfold {

// Writes `length` bytes from `data` as the file at `path`. The file is
// replaced in one step once it is complete, so any failure leaves an earlier
// file at `path` exactly as it was (and no file when there was none).
ConversionResult WriteVoiFile(const std::string& path, const std::uint8_t* data,
                              std::int32_t length);

}  // namespace larkfold

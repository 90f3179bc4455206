// A DAT file as the converter sees it: loaded and prepared by the core's own
// stages, so every amplitude is the normalised one the search and the
// encoders work with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/conversion_result.h"
#include "dat/dat_format.h"

namespace larkfold {

struct DatInput {
  ConversionResult result;            // empty when the file is a valid recording
  std::vector<DatFrame> frames;       // amplitudes normalised to 0..65535
  std::int32_t largestAmplitude = 1;  // in the file's own scale: the one that became 65535
};

// Loads and prepares the file at `path` and releases the pool again. The
// result carries the conversion's message when the file is refused. A
// failing length query, read or close raises CFileException.
DatInput LoadPreparedDat(const std::string& path);

}  // namespace larkfold

// One file looked into by `inspect`: what it is, whether it could be read,
// and its summary.
#pragma once

#include <optional>
#include <string>

#include "preview/dat_input.h"
#include "preview/frame_range.h"
#include "preview/summaries.h"
#include "voi/voi_reader.h"

namespace larkfold {

enum class FileKind { dat, voi };

struct Inspection {
  std::string path;
  FileKind kind = FileKind::dat;
  // Why the file has no summary: it could not be read, the converter refuses
  // it (a DAT file), or it breaks the VOI format (`damage` then says how).
  std::string failure;
  std::string damage;

  DatInput dat;
  DatSummary datSummary;
  VoiFile voi;
  VoiSummary voiSummary;

  bool ok() const { return failure.empty(); }
};

// Whether `path` ends in `suffix`, in any case ("SONG.VOI" ends in ".voi").
bool NameEndsWith(const std::string& path, const char* suffix);

// A name ending in ".voi" is a VOI file and one ending in ".dat" a DAT file
// (in any case); any other file is a VOI file when its bytes are a whole one,
// and otherwise a DAT file.
Inspection InspectFile(const std::string& path);

}  // namespace larkfold

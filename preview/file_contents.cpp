#include "preview/file_contents.h"

#include <cctype>

#include "platform/file.h"

namespace larkfold {

bool NameEndsWith(const std::string& path, const char* suffix) {
  const std::string tail(suffix);
  if (path.size() < tail.size()) {
    return false;
  }
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[path.size() - tail.size() + i]);
    if (std::tolower(c) != tail[i]) {
      return false;
    }
  }
  return true;
}

namespace {

void TakeVoi(Inspection& inspection, VoiReadResult read) {
  inspection.kind = FileKind::voi;
  if (!read.error.empty()) {
    inspection.failure = read.error;
  } else if (!read.damage.empty()) {
    inspection.failure = "damaged VOI file: " + read.damage;
    inspection.damage = read.damage;
  } else {
    inspection.voi = std::move(read.file);
    inspection.voiSummary = SummariseVoi(inspection.voi);
  }
}

void TakeDat(Inspection& inspection) {
  inspection.kind = FileKind::dat;
  try {
    inspection.dat = LoadPreparedDat(inspection.path);
  } catch (const CFileException& error) {
    inspection.failure = DescribeFileException(error);
    return;
  }
  if (!inspection.dat.result.empty()) {
    inspection.failure = inspection.dat.result;
    return;
  }
  inspection.datSummary = SummariseDat(inspection.dat);
}

}  // namespace

Inspection InspectFile(const std::string& path) {
  Inspection inspection;
  inspection.path = path;
  if (NameEndsWith(path, ".voi")) {
    TakeVoi(inspection, ReadVoiFile(path));
  } else if (NameEndsWith(path, ".dat")) {
    TakeDat(inspection);
  } else {
    VoiReadResult read = ReadVoiFile(path);
    if (read.ok() || !read.error.empty()) {
      TakeVoi(inspection, std::move(read));
    } else {
      TakeDat(inspection);
    }
  }
  return inspection;
}

}  // namespace larkfold

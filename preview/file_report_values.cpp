#include <cmath>
#include <cstdio>

#include "preview/file_report.h"

namespace larkfold {

std::string RecordHex(ChannelRecord record) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X %02X", record[0], record[1]);
  return text;
}

double RoundedHertz(double hertz) {
  return std::round(hertz * 1000.0) / 1000.0;
}

const char* SourceName(SourceType source) {
  return source == SourceType::Fm ? "fm" : "pcm";
}

}  // namespace larkfold

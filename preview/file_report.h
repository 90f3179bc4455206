// What `inspect` prints, in its three formats. The files that could not be
// inspected are left out of the text and CSV reports (their reasons go to
// standard error); the JSON report lists them with the reason.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "preview/file_contents.h"
#include "preview/frame_range.h"

namespace larkfold {

// The summary of each file, then the listed frames when `frames` is given.
std::string TextReport(const std::vector<Inspection>& files,
                       const std::optional<FrameRange>& frames);

// One table: the summaries, or the listed frames when `frames` is given. A
// header row starts the table and again wherever the kind of file changes.
std::string CsvReport(const std::vector<Inspection>& files,
                      const std::optional<FrameRange>& frames);

// One object; the schema is described in the README ("Listen and look").
std::string JsonReport(const std::vector<Inspection>& files,
                       const std::optional<FrameRange>& frames);

// Numbers as the reports print them.
std::string RecordHex(ChannelRecord record);
double RoundedHertz(double hertz);          // to a thousandth
const char* SourceName(SourceType source);  // "fm" or "pcm"

}  // namespace larkfold

#pragma once

#include <string>

namespace larkfold {

// The one line the command-line tool redraws on a terminal during the search:
// the remaining time as the progress window words it, a bar, and the frame
// position, fitted into `columns`.
std::string FormatProgressLine(double remainingSeconds, int frame, int frameCount, int columns);

}  // namespace larkfold

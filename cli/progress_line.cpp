#include "cli/progress_line.h"

#include <algorithm>

#include "assign/progress_text.h"

namespace larkfold {
namespace {

// Terminal columns of UTF-8 text: the Japanese characters of the remaining
// time take two columns each, ASCII one.
int DisplayWidth(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      width += 1;
    } else if ((c & 0xC0) != 0x80) {
      width += 2;
    }
  }
  return width;
}

}  // namespace

std::string FormatProgressLine(double remainingSeconds, int frame, int frameCount, int columns) {
  const std::string remaining = RemainingTimeText(remainingSeconds);
  const std::string position = std::to_string(frame) + "/" + std::to_string(frameCount);
  const int fixed = DisplayWidth(remaining) + 4 + static_cast<int>(position.size()) + 1;
  const int barWidth = std::clamp(columns - 1 - fixed, 0, 40);
  if (barWidth < 5) {
    return remaining + " " + position;
  }
  const int filled =
      frameCount > 0 ? static_cast<int>(static_cast<long long>(barWidth) * frame / frameCount) : 0;
  return remaining + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(barWidth - filled), '.') + "] " + position;
}

}  // namespace larkfold

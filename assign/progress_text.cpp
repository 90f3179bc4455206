#include "assign/progress_text.h"

#include <cstdint>
#include <limits>

#include "convert/messages.h"

namespace larkfold {

std::string RemainingTimeText(double remainingSeconds) {
  // Truncated to a 32-bit count; an estimate beyond its range shows its end.
  std::int32_t seconds;
  if (remainingSeconds >= 2147483647.0) {
    seconds = std::numeric_limits<std::int32_t>::max();
  } else if (remainingSeconds <= -2147483648.0) {
    seconds = std::numeric_limits<std::int32_t>::min();
  } else {
    seconds = static_cast<std::int32_t>(remainingSeconds);
  }
  return std::string(messages::kRemainingBefore) + std::to_string(seconds) +
         std::string(messages::kRemainingAfter);
}

}  // namespace larkfold

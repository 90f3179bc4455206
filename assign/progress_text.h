#pragma once

#include <string>

namespace larkfold {

// "残り時間約" + the whole seconds (truncated toward zero) + "秒", as the
// progress window shows the estimate.
std::string RemainingTimeText(double remainingSeconds);

}  // namespace larkfold

// The one record that the conversion, the progress window and the main dialog
// share while a conversion runs.
#pragma once

#include <atomic>

#include "convert/conversion_host.h"

namespace larkfold {

struct ProgressState {
  // Set to 1 by whoever asks to stop (a window's handler, or the interrupt key
  // of the command-line tool, which may arrive on another thread or in a signal
  // handler, hence the lock-free atomic); read at the polls of the search.
  static inline std::atomic<int> cancelRequested{0};
  static inline double remainingSeconds = 0.0;
  static inline WindowHandle progressWindow = nullptr;
  static inline int busy = 0;  // 1 while a conversion runs

  static_assert(std::atomic<int>::is_always_lock_free);
};

}  // namespace larkfold

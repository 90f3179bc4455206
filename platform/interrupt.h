// The user's interrupt key (Ctrl-C) for the command-line tool.
#pragma once

#include <atomic>

namespace larkfold {

// From now on every interrupt sets `cancelFlag` to 1 (safely, from wherever the
// system delivers it) and is remembered for InterruptReceived. The process is
// not ended by an interrupt any more.
void WatchInterrupts(std::atomic<int>* cancelFlag);

bool InterruptReceived();

}  // namespace larkfold

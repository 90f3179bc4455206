#include "platform/interrupt.h"

#include <windows.h>

namespace larkfold {
namespace {

std::atomic<int>* cancelTarget = nullptr;
std::atomic<int> interrupted{0};

// The system calls this on a thread of its own.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
    return FALSE;
  }
  interrupted = 1;
  if (cancelTarget != nullptr) {
    cancelTarget->store(1);
  }
  return TRUE;
}

}  // namespace

void WatchInterrupts(std::atomic<int>* cancelFlag) {
  cancelTarget = cancelFlag;
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptReceived() {
  return interrupted != 0;
}

}  // namespace larkfold

#include "platform/interrupt.h"

#include <signal.h>

#include <csignal>

namespace larkfold {
namespace {

std::atomic<int>* cancelTarget = nullptr;
volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
  if (cancelTarget != nullptr) {
    cancelTarget->store(1);
  }
}

}  // namespace

void WatchInterrupts(std::atomic<int>* cancelFlag) {
  cancelTarget = cancelFlag;
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
}

bool InterruptReceived() {
  return interrupted != 0;
}

}  // namespace larkfold

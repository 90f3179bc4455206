#include "assign/progress_timing.h"

#include "assign/progress_state.h"
#include "convert/block_pool.h"
#include "convert/messages.h"
#include "platform/clock.h"

namespace larkfold {

void StartPollClock(SearchTiming& timing) {
  timing.lastPollClock = ReadMillisecondClock();
}

void BeginFrameTiming(SearchTiming& timing) {
  timing.frameStart = ReadCounter();
}

void EndFrameTiming(SearchTiming& timing) {
  const std::int64_t frameEnd = ReadCounter();
  // Integer division first: a frame of less than a microsecond counts as 0.
  timing.frameMicroseconds =
      static_cast<double>((frameEnd - timing.frameStart) * 1000000 / timing.counterFrequency);
}

double EstimateRemainingSeconds(std::int32_t frameCount, std::int32_t u, double frameMicroseconds) {
  return (static_cast<double>(frameCount - u) * frameMicroseconds + 999999.0) / 1000000.0;
}

PollResult PollProgress(SearchTiming& timing, ConversionHost& host, std::int32_t frameCount,
                        std::int32_t u) {
  // The clock is compared the way a 32-bit counter wraps.
  const std::int32_t due = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(timing.lastPollClock) + kPollIntervalMilliseconds);
  if (ReadMillisecondClock() <= due) {
    return PollResult::Continue;
  }
  if (ProgressState::cancelRequested != 0) {
    return PollResult::Cancelled;
  }
  ProgressState::remainingSeconds =
      EstimateRemainingSeconds(frameCount, u, timing.frameMicroseconds);
  if (ProgressState::progressWindow != nullptr) {
    host.SendUpdateCommand(ProgressState::progressWindow, frameCount, u);
  }
  host.PumpWaitingMessages();
  // Read anew, so that time spent in message handlers does not count.
  timing.lastPollClock = ReadMillisecondClock();
  return PollResult::Continue;
}

void FinishCancelledConversion(ConversionHost& host) {
  // Whoever asks to stop closes the progress window first, except the
  // command-line tool's interrupt key, which cannot from its signal handler.
  if (ProgressState::progressWindow != nullptr) {
    host.DestroyProgressWindow(ProgressState::progressWindow);
    ProgressState::progressWindow = nullptr;
  }
  BlockPool::Request(0);
  host.ShowMessage(messages::kCancelled, kMessageOk);
  ProgressState::busy = 0;
}

}  // namespace larkfold

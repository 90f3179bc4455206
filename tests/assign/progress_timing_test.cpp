#include "assign/progress_timing.h"

#include <gtest/gtest.h>

#include "assign/progress_state.h"
#include "assign/progress_text.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using testing::FakeHost;

TEST(EstimateRemainingSeconds, RoundsTheMicrosecondsUpWhenShown) {
  const struct {
    std::int32_t remaining;
    double frameMicroseconds;
    double seconds;
    const char* shown;
  } cases[] = {
      {400, 2500.0, 1.999999, "残り時間約1秒"},
      {401, 2500.0, 2.002499, "残り時間約2秒"},
      {1000, 0.0, 0.999999, "残り時間約0秒"},
      {1, 1000000.0, 1.999999, "残り時間約1秒"},
  };
  for (const auto& c : cases) {
    const double seconds = EstimateRemainingSeconds(c.remaining, 0, c.frameMicroseconds);
    EXPECT_DOUBLE_EQ(seconds, c.seconds) << c.remaining << " x " << c.frameMicroseconds;
    EXPECT_EQ(RemainingTimeText(seconds), c.shown);
  }
  EXPECT_EQ(EstimateRemainingSeconds(500, 100, 2500.0), EstimateRemainingSeconds(400, 0, 2500.0));
}

TEST(RemainingTimeText, TruncatesTowardZeroAndKeepsTheSign) {
  EXPECT_EQ(RemainingTimeText(125.9), "残り時間約125秒");
  EXPECT_EQ(RemainingTimeText(-0.5), "残り時間約0秒");
  EXPECT_EQ(RemainingTimeText(-3.5), "残り時間約-3秒");
  EXPECT_EQ(RemainingTimeText(1e300), "残り時間約2147483647秒");
}

class ProgressTimingTest : public testing::FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    fake::Clock().milliseconds = [this] {
      ++clockReads;
      return now;
    };
    fake::Clock().counter = [this] { return counter; };
    timing.counterFrequency = 1000000000;
    ProgressState::progressWindow = reinterpret_cast<WindowHandle>(1);
  }
  SearchTiming timing;
  FakeHost host;
  std::int32_t now = 0;
  std::int64_t counter = 0;
  int clockReads = 0;
};

TEST_F(ProgressTimingTest, MeasuresAFrameInWholeMicroseconds) {
  counter = 5000;
  BeginFrameTiming(timing);
  counter = 5000 + 2500999;
  EndFrameTiming(timing);
  EXPECT_EQ(timing.frameMicroseconds, 2500.0);

  BeginFrameTiming(timing);
  counter += 999;  // less than a microsecond
  EndFrameTiming(timing);
  EXPECT_EQ(timing.frameMicroseconds, 0.0);
}

TEST_F(ProgressTimingTest, PollsOnlyOnceMoreThan100MillisecondsHavePassed) {
  now = 1000;
  StartPollClock(timing);
  timing.frameMicroseconds = 2500.0;

  now = 1100;
  EXPECT_EQ(PollProgress(timing, host, 500, 100), PollResult::Continue);
  EXPECT_TRUE(host.updates.empty()) << "exactly 100 ms is not enough";
  EXPECT_EQ(host.pumps, 0);

  now = 1101;
  host.onPump = [this] { now = 1350; };  // a handler that takes its time
  EXPECT_EQ(PollProgress(timing, host, 500, 100), PollResult::Continue);
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_DOUBLE_EQ(host.updates[0].remainingSeconds, 1.999999);
  EXPECT_EQ(host.updates[0].frame, 100);
  EXPECT_EQ(host.pumps, 1);
  EXPECT_EQ(timing.lastPollClock, 1350) << "the clock is read again after the pump";
}

TEST_F(ProgressTimingTest, HonoursACancelAtAPollWithoutUpdatingOrPumping) {
  StartPollClock(timing);
  ProgressState::cancelRequested = 1;
  now = 50;
  EXPECT_EQ(PollProgress(timing, host, 10, 1), PollResult::Continue) << "not yet a poll";
  now = 101;
  EXPECT_EQ(PollProgress(timing, host, 10, 1), PollResult::Cancelled);
  EXPECT_TRUE(host.updates.empty());
  EXPECT_EQ(host.pumps, 0);
}

TEST_F(ProgressTimingTest, WithoutAProgressWindowStillPumps) {
  ProgressState::progressWindow = nullptr;
  StartPollClock(timing);
  now = 200;
  EXPECT_EQ(PollProgress(timing, host, 10, 1), PollResult::Continue);
  EXPECT_TRUE(host.updates.empty());
  EXPECT_EQ(host.pumps, 1);
}

TEST_F(ProgressTimingTest, ComparesTheClockAsA32BitCounterThatWraps) {
  now = 2147483600;
  StartPollClock(timing);
  now = 2147483647;
  EXPECT_EQ(PollProgress(timing, host, 10, 1), PollResult::Continue);
  EXPECT_EQ(host.pumps, 1) << "the due time wrapped below the clock";
}

TEST_F(ProgressTimingTest, TheCancelEndingReleasesThePoolBeforeItsMessage) {
  BlockPool::Request(64);
  ProgressState::busy = 1;
  host.onMessage = [] { EXPECT_EQ(BlockPool::HeldCount(), 0); };
  FinishCancelledConversion(host);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], (testing::ShownMessage{"中止しました", kMessageOk}));
  EXPECT_EQ(host.busyWhileMessageShown[0], 1);
  EXPECT_EQ(ProgressState::busy, 0);
}

TEST_F(ProgressTimingTest, TheCancelEndingClosesAProgressWindowNobodyClosed) {
  // The tool's interrupt key sets the flag from a signal handler and leaves
  // the window (the progress line) to the ending.
  ProgressState::busy = 1;
  FinishCancelledConversion(host);
  EXPECT_EQ(host.windowsDestroyed, 1);
  EXPECT_EQ(ProgressState::progressWindow, nullptr);
}

}  // namespace
}  // namespace larkfold

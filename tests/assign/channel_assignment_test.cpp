#include "assign/channel_assignment.h"

#include <gtest/gtest.h>

#include <vector>

#include "assign/progress_state.h"
#include "dat/frame_preparation.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"
#include "tests/support/frame_pairs.h"

namespace larkfold {
namespace {

using testing::FakeHost;

class ChannelAssignmentTest : public testing::FakePlatformTest,
                              public ::testing::WithParamInterface<SearchMethod> {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    testing::BuildLogAmplitudeTable();
    fake::Clock().milliseconds = [this] {
      ++clockReads;
      return now;
    };
    timing.counterFrequency = 1000000000;
  }

  bool Assign(std::vector<DatFrame>& frames, int n) {
    BuildPermutationTable(n);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      for (int c = 0; c < n; ++c)
        PitchIndexTable[i][c] = PitchIndexOf(frames[i].channels[c].frequency);
    }
    StartPollClock(timing);
    return AssignChannels(frames.data(), static_cast<std::int32_t>(frames.size()), n, GetParam(),
                          timing, host);
  }

  SearchTiming timing;
  FakeHost host;
  std::int32_t now = 0;
  int clockReads = 0;
};

DatFrame Channels(std::initializer_list<std::pair<std::int32_t, std::int32_t>> samples) {
  DatFrame frame = {};
  int c = 0;
  for (const auto& [amplitude, frequency] : samples)
    frame.channels[c++] = {amplitude, frequency};
  return frame;
}

TEST_P(ChannelAssignmentTest, FollowsEachChannelThroughACrossing) {
  // Two partials swap places in the file between frames; the search undoes it.
  std::vector<DatFrame> frames = {Channels({{65535, 4400}, {4096, 8800}, {0, 0}}),
                                  Channels({{4096, 8800}, {65535, 4400}, {0, 0}}),
                                  Channels({{4000, 8700}, {65000, 4410}, {0, 0}})};
  ASSERT_TRUE(Assign(frames, 3));
  for (int u = 1; u < 3; ++u) {
    EXPECT_GT(frames[u].channels[0].amplitude, 60000) << u;
    EXPECT_LT(frames[u].channels[0].frequency, 4500) << u;
    EXPECT_EQ(PitchIndexTable[u][0], PitchIndexOf(frames[u].channels[0].frequency)) << u;
    EXPECT_EQ(PitchIndexTable[u][1], PitchIndexOf(frames[u].channels[1].frequency)) << u;
  }
}

TEST_P(ChannelAssignmentTest, LeavesAQuietFrameInFileOrder) {
  std::vector<DatFrame> frames = {Channels({{1023, 100}, {5, 200}, {0, 300}}),
                                  Channels({{0, 900}, {1023, 800}, {7, 700}})};
  const DatFrame before = frames[1];
  ASSERT_TRUE(Assign(frames, 3));
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(frames[1].channels[c].frequency, before.channels[c].frequency);
}

TEST_P(ChannelAssignmentTest, BreaksTiesTowardTheLowestTableEntry) {
  // Every channel alike: every ordering costs the same, so the identity stays.
  std::vector<DatFrame> frames = {
      Channels({{5000, 4400}, {5000, 4400}, {5000, 4400}, {5000, 4400}}),
      Channels({{5000, 4400}, {5000, 4401}, {5000, 4402}, {5000, 4403}})};
  ASSERT_TRUE(Assign(frames, 4));
  for (int c = 0; c < 4; ++c)
    EXPECT_EQ(frames[1].channels[c].frequency, 4400 + c);
}

TEST_P(ChannelAssignmentTest, NeverTouchesTheSlotsBeyondTheChannelCount) {
  std::vector<DatFrame> frames = {Channels({{100, 1}, {65535, 4400}, {4096, 8800}, {7, 7}}),
                                  Channels({{4096, 8800}, {65535, 4400}, {100, 1}, {9, 9}})};
  for (int c = 3; c < 8; ++c)
    PitchIndexTable[1][c] = -77;
  ASSERT_TRUE(Assign(frames, 3));
  EXPECT_EQ(frames[1].channels[0].frequency, 1);
  EXPECT_EQ(frames[1].channels[1].frequency, 4400);
  EXPECT_EQ(frames[1].channels[2].frequency, 8800);
  EXPECT_EQ(frames[1].channels[3].amplitude, 9);
  EXPECT_EQ(frames[1].channels[3].frequency, 9);
  for (int c = 3; c < 8; ++c)
    EXPECT_EQ(PitchIndexTable[1][c], -77);
}

TEST_P(ChannelAssignmentTest, ZeroOrOneFramesAreNotSearchedAndNotPolled) {
  for (std::size_t count : {0u, 1u}) {
    std::vector<DatFrame> frames(count, Channels({{4096, 8800}, {65535, 4400}, {0, 0}}));
    clockReads = 0;
    ASSERT_TRUE(Assign(frames, 3));
    EXPECT_EQ(clockReads, 1) << "only the start of the poll clock";
    EXPECT_EQ(host.pumps, 0);
    if (count == 1) {
      EXPECT_EQ(frames[0].channels[0].frequency, 8800);
    }
  }
}

TEST_P(ChannelAssignmentTest, StopsAtThePollAfterACancelRequest) {
  std::vector<DatFrame> frames(50, Channels({{4096, 8800}, {65535, 4400}, {0, 0}}));
  for (std::size_t u = 1; u < frames.size(); u += 2)
    frames[u] = Channels({{65535, 4400}, {4096, 8800}, {0, 0}});
  const DatFrame untouched = frames[13];
  // The clock moves 60 ms per reading: a poll every other frame.
  fake::Clock().milliseconds = [this] { return now += 60; };
  int polls = 0;
  host.onPump = [&] {
    if (++polls == 3)
      ProgressState::cancelRequested = 1;  // the user presses cancel here
  };
  EXPECT_FALSE(Assign(frames, 3));
  EXPECT_EQ(polls, 3) << "the request is honoured at the next poll, which does not pump";
  EXPECT_EQ(frames[13].channels[0].frequency, untouched.channels[0].frequency)
      << "frames after the cancel stay in file order";
}

INSTANTIATE_TEST_SUITE_P(BothSolvers, ChannelAssignmentTest,
                         ::testing::Values(SearchMethod::fast, SearchMethod::exhaustive),
                         [](const auto& info) {
                           return info.param == SearchMethod::fast ? "fast" : "exhaustive";
                         });

}  // namespace
}  // namespace larkfold

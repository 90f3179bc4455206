#include "assign/ordering_cost.h"

#include <gtest/gtest.h>

#include <cmath>

#include "assign/exhaustive_search.h"
#include "assign/fast_solver.h"
#include "tests/support/frame_pairs.h"

namespace larkfold {
namespace {

using testing::FramePairData;

class OrderingCostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::BuildLogAmplitudeTable(); }

  // The worked example: frame 0 (65535, 4096, 0) at pitches (100, 200, 0),
  // frame 1 (4096, 65535, 0) at pitches (200, 100, 0).
  static FramePairData WorkedExample() {
    FramePairData data;
    data.n = 3;
    const std::int32_t previousAmplitudes[3] = {65535, 4096, 0};
    const std::int32_t currentAmplitudes[3] = {4096, 65535, 0};
    const std::int32_t previousPitch[3] = {100, 200, 0};
    const std::int32_t currentPitch[3] = {200, 100, 0};
    for (int c = 0; c < 3; ++c) {
      data.previous.channels[c].amplitude = previousAmplitudes[c];
      data.current.channels[c].amplitude = currentAmplitudes[c];
      data.previousPitch[c] = previousPitch[c];
      data.currentPitch[c] = currentPitch[c];
    }
    return data;
  }
};

TEST_F(OrderingCostTest, CostsTheSixOrderingsOfTheWorkedExample) {
  BuildPermutationTable(3);
  const FramePairData data = WorkedExample();
  const std::int32_t costs[6] = {554600, 296707, 0, 16634, 22180, 296707};
  for (int t = 0; t < 6; ++t) {
    EXPECT_EQ(OrderingCost(data.View(), UnpackPermutation(PermutationTable[t])), costs[t]) << t;
  }
  const Ordering winner = {1, 0, 2, 3, 4, 5, 6, 7};
  EXPECT_EQ(ExhaustiveBestOrdering(data.View()), winner);
  EXPECT_EQ(FastBestOrdering(data.View()), winner);
}

TEST_F(OrderingCostTest, WeighsByPitchOnlyBetweenTwoSoundingChannels) {
  const struct {
    std::int32_t a, b;  // current channel, previous position
    std::int32_t pitchA, pitchB;
    std::int32_t term;
    const char* why;
  } cases[] = {
      {4096, 65535, 10, 13, 3 * (11090 - 8317), "both sounding: pitch distance times loudness"},
      {1024, 1024, 0, 500, 0, "equal loudness costs nothing whatever the pitch"},
      {4096, 65535, 77, 77, 0, "equal pitch costs nothing whatever the loudness"},
      {1023, 4096, 0, 500, 8317 - 6930, "one quiet: loudness alone"},
      {4096, 1023, 0, 500, 8317 - 6930, "the other quiet: loudness alone"},
      {1023, 0, 0, 500, 0, "both quiet: nothing"},
      {1024, 0, 0, 500, 6931, "1024 already sounds"},
  };
  for (const auto& c : cases) {
    FramePairData data;
    data.n = 1;
    data.current.channels[0].amplitude = c.a;
    data.previous.channels[0].amplitude = c.b;
    data.currentPitch[0] = c.pitchA;
    data.previousPitch[0] = c.pitchB;
    EXPECT_EQ(OrderingTerm(data.View(), 0, 0), c.term) << c.why;
  }
}

}  // namespace
}  // namespace larkfold

#include "voi/tempo_scaling.h"

#include <gtest/gtest.h>

#include <vector>

namespace larkfold {
namespace {

std::vector<std::int32_t> OutputFrames(std::int32_t frameCount, double speed) {
  std::vector<std::int32_t> shown;
  const std::int32_t count =
      RunTempoLoop(frameCount, speed, [&](std::int32_t b) { shown.push_back(b); });
  EXPECT_EQ(count, static_cast<std::int32_t>(shown.size()));
  return shown;
}

// Input frames missing from the output, or shown twice.
std::vector<std::int32_t> Dropped(const std::vector<std::int32_t>& shown, std::int32_t frameCount) {
  std::vector<int> times(frameCount, 0);
  for (std::int32_t b : shown)
    ++times[b];
  std::vector<std::int32_t> result;
  for (std::int32_t b = 0; b < frameCount; ++b)
    if (times[b] == 0)
      result.push_back(b);
  return result;
}
std::vector<std::int32_t> Repeated(const std::vector<std::int32_t>& shown) {
  std::vector<std::int32_t> result;
  for (std::size_t i = 1; i < shown.size(); ++i)
    if (shown[i] == shown[i - 1])
      result.push_back(shown[i]);
  return result;
}

TEST(TempoStep, IsExactInDoubleArithmetic) {
  EXPECT_EQ(TempoStep(1.0), 0.0);
  EXPECT_EQ(TempoStep(1.1), 0.10000000000000009);
  EXPECT_EQ(TempoStep(0.9), -0.11111111111111116);
}

TEST(RunTempoLoop, GivesTheListedFrameCounts) {
  const struct {
    std::int32_t frames;
    double speed;
    std::int32_t output;
  } cases[] = {{1000, 1.0, 1000},   {10, 1.1, 9},    {11, 1.1, 10},   {100, 1.1, 91},
               {35999, 1.1, 32727}, {9, 0.9, 10},    {100, 0.9, 111}, {35999, 0.9, 39998},
               {100, 0.95, 105},    {100, 1.05, 96}, {0, 0.9, 0},     {0, 1.1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(OutputFrames(c.frames, c.speed).size(), static_cast<std::size_t>(c.output))
        << c.frames << " frames at " << c.speed;
  }
  for (double speed : {0.9, 0.95, 1.0, 1.0625, 1.1}) {
    EXPECT_EQ(OutputFrames(1, speed), (std::vector<std::int32_t>{0})) << speed;
  }
}

TEST(RunTempoLoop, KeepsEveryFrameInOrderAtSpeedOne) {
  const std::vector<std::int32_t> shown = OutputFrames(1000, 1.0);
  for (std::int32_t i = 0; i < 1000; ++i)
    ASSERT_EQ(shown[i], i);
}

TEST(RunTempoLoop, DropsOrRepeatsExactlyTheListedFrames) {
  EXPECT_EQ(Repeated(OutputFrames(100, 0.95)), (std::vector<std::int32_t>{19, 38, 57, 76, 95}));
  EXPECT_EQ(Dropped(OutputFrames(100, 1.05), 100), (std::vector<std::int32_t>{19, 40, 61, 82}));
  EXPECT_EQ(OutputFrames(9, 0.9), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 8}));
  EXPECT_EQ(OutputFrames(10, 1.1), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(RunTempoLoop, AtTheSpeedBoundsFollowsItsPeriodOverTheWholeFile) {
  const std::vector<std::int32_t> fast = OutputFrames(35999, 1.1);
  for (std::int32_t b : Dropped(fast, 35999))
    ASSERT_EQ(b % 11, 9) << b;
  EXPECT_EQ(Dropped(fast, 35999).size(), 35999u / 11 + (35999 % 11 > 9 ? 1 : 0));
  EXPECT_TRUE(Repeated(fast).empty());

  const std::vector<std::int32_t> slow = OutputFrames(35999, 0.9);
  for (std::int32_t b : Repeated(slow))
    ASSERT_EQ(b % 9, 8) << b;
  EXPECT_EQ(Repeated(slow).size(), 35999u / 9);
  EXPECT_TRUE(Dropped(slow, 35999).empty());
}

TEST(RunTempoLoop, DoesNotDropWhenTheAccumulatorReachesExactlyOne) {
  // A step of 1/16 is exact, so the accumulator reaches 1.0 itself at frame 15.
  const std::vector<std::int32_t> shown = OutputFrames(40, 1.0625);
  const std::vector<std::int32_t> dropped = Dropped(shown, 40);
  ASSERT_FALSE(dropped.empty());
  EXPECT_EQ(dropped.front(), 16);
}

TEST(FillChannelTables, ClearsEveryRowAndConvertsFrequenciesToHertz) {
  AmplitudeTable[5][3] = 99.0;
  FrequencyTable[59999][7] = 99.0;
  DatFrame frames[2] = {};
  frames[0].channels[0] = {65535, 4400};
  frames[1].channels[7] = {12, -15};
  FillChannelTables(frames, 2);
  EXPECT_EQ(AmplitudeTable[0][0], 65535.0);
  EXPECT_EQ(FrequencyTable[0][0], 440.0);
  EXPECT_EQ(AmplitudeTable[1][7], 12.0);
  EXPECT_EQ(FrequencyTable[1][7], -1.5);
  EXPECT_EQ(AmplitudeTable[5][3], 0.0);
  EXPECT_EQ(FrequencyTable[59999][7], 0.0);
}

}  // namespace
}  // namespace larkfold

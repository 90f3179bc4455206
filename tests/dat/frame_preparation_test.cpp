#include "dat/frame_preparation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "convert/messages.h"
#include "tests/support/dat_builder.h"

namespace larkfold {
namespace {

using testing::DatBytes;
using testing::Frame;

// Runs PrepareFrames over `bytes` as a loaded block (with the loader's zero tail).
struct Prepared {
  explicit Prepared(std::string bytes, std::int32_t n = 8) : block(std::move(bytes)) {
    const auto length = static_cast<std::int32_t>(block.size());
    block.append(4096, '\0');
    result = PrepareFrames(block.data(), length, n, frameCount);
  }
  const DatFrame& frame(int i) const { return reinterpret_cast<const DatFrame*>(block.data())[i]; }
  std::string block;
  ConversionResult result;
  std::int32_t frameCount = -1;
};

TEST(PrepareFrames, ChecksTheRecordCountThenTheTrailer) {
  struct Case {
    std::string bytes;
    std::string_view result;
    const char* why;
  };
  std::string trailer61 = DatBytes({}, 61);
  std::string tooLarge(36001 * 64, '\0');  // no trailer at all
  std::string misplaced = DatBytes({});
  std::memset(misplaced.data() + 60, 0, 4);
  misplaced[0] = 60;
  const Case cases[] = {
      {"", messages::kNoData, "empty"},
      {std::string(63, '\x3C'), messages::kNoData, "less than one record"},
      {trailer61, messages::kNotSixtiethSecond, "trailer holds 61"},
      {misplaced, messages::kNotSixtiethSecond, "60 elsewhere in the trailer"},
      {tooLarge, messages::kTooLarge, "36001 records, whatever the trailer"},
      {DatBytes({}), "", "trailer only"},
      {DatBytes({}, 60, 63), "", "a partial record after the trailer is ignored"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Prepared(c.bytes).result, c.result) << c.why;
  }
}

TEST(PrepareFrames, ReadsTheTrailerFromTheLastWholeRecordNotTheFileEnd) {
  // 2 records and 10 bytes: the rate is at byte 124, the file's last bytes say 61.
  std::string bytes = DatBytes({Frame({{1, 10}})}, 60, 10);
  const std::int32_t wrong = 61;
  std::memcpy(bytes.data() + bytes.size() - 4, &wrong, 4);
  Prepared prepared(bytes);
  EXPECT_EQ(prepared.result, "");
  EXPECT_EQ(prepared.frameCount, 1);
}

TEST(PrepareFrames, AcceptsTheLargestFile) {
  Prepared prepared(DatBytes(std::vector<DatFrame>(35999)));
  EXPECT_EQ(prepared.result, "");
  EXPECT_EQ(prepared.frameCount, 35999);
}

TEST(PrepareFrames, NormalisesEveryChannelByTheLargestAmplitudeOfAllEight) {
  // The largest amplitude sits in slot 7, beyond the three active channels.
  Prepared prepared(
      DatBytes({Frame({{2999, 0}, {1000, 0}, {0, 0}, {1, 0}}),
                Frame({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {3000, 0}})}),
      3);
  ASSERT_EQ(prepared.result, "");
  EXPECT_EQ(prepared.frame(0).channels[0].amplitude, 65513);
  EXPECT_EQ(prepared.frame(0).channels[1].amplitude, 21845);
  EXPECT_EQ(prepared.frame(0).channels[2].amplitude, 0);
  EXPECT_EQ(prepared.frame(0).channels[3].amplitude, 21);
  EXPECT_EQ(prepared.frame(1).channels[7].amplitude, 65535);
}

TEST(PrepareFrames, KeepsTheScaleAtOneWhenEveryAmplitudeIsZeroOrOne) {
  Prepared prepared(DatBytes({Frame({{1, 0}, {0, 0}})}));
  EXPECT_EQ(prepared.frame(0).channels[0].amplitude, 65535);
  EXPECT_EQ(prepared.frame(0).channels[1].amplitude, 0);
}

TEST(PrepareFrames, TakesNegativeAmplitudesAsSilence) {
  Prepared prepared(DatBytes({Frame({{-2147483647 - 1, 0}, {-5, 0}, {100, 0}})}));
  EXPECT_EQ(prepared.frame(0).channels[0].amplitude, 0);
  EXPECT_EQ(prepared.frame(0).channels[1].amplitude, 0);
  EXPECT_EQ(prepared.frame(0).channels[2].amplitude, 65535);
}

TEST(PrepareFrames, LeavesTheTrailerAndTheFrequenciesAlone) {
  Prepared prepared(DatBytes({Frame({{5, 4400}, {9, -7}})}));
  EXPECT_EQ(prepared.frame(0).channels[0].frequency, 4400);
  EXPECT_EQ(prepared.frame(0).channels[1].frequency, -7);
  EXPECT_EQ(prepared.frame(1).channels[7].frequency, 60);
  EXPECT_EQ(prepared.frame(1).channels[0].amplitude, 0);
}

TEST(PitchIndexOf, GivesThirdsOfASemitoneAboveMidiNoteZero) {
  const struct {
    std::int32_t field;
    std::int32_t index;
  } cases[] = {{0, -228},
               {1, -228},
               {10, -109},
               {80, -1},
               {81, 0},
               {2616, 179},
               {4399, 206},
               {4400, 207},
               {10000, 249},
               {2147483647, 887},
               {-1, 0},
               {-2147483647 - 1, 0},
               // Every A is exactly a multiple of three in exact arithmetic;
               // the double computation must not fall just below it.
               {275, 63},
               {550, 99},
               {1100, 135},
               {2200, 171},
               {8800, 243},
               {17600, 279},
               {35200, 315},
               {70400, 351},
               {140800, 387}};
  for (const auto& c : cases) {
    EXPECT_EQ(PitchIndexOf(c.field), c.index) << c.field;
  }
  EXPECT_EQ(std::log(kPitchRatio), 0.019254088348887363);
}

TEST(PrepareFrames, WritesPitchIndicesOnlyForTheActiveSlotsOfEveryFrame) {
  for (auto& row : PitchIndexTable)
    std::fill(std::begin(row), std::end(row), 12345);
  Prepared prepared(DatBytes({Frame({{1, 4400}, {1, 0}, {1, 10}, {1, 4400}}),
                              Frame({{1, 81}, {1, 80}, {1, -3}})}),
                    3);
  ASSERT_EQ(prepared.result, "");
  EXPECT_EQ(PitchIndexTable[0][0], 207);
  EXPECT_EQ(PitchIndexTable[0][1], -228);
  EXPECT_EQ(PitchIndexTable[0][2], -109);
  EXPECT_EQ(PitchIndexTable[1][0], 0);
  EXPECT_EQ(PitchIndexTable[1][1], -1);
  EXPECT_EQ(PitchIndexTable[1][2], 0);
  for (int c = 3; c < 8; ++c) {
    EXPECT_EQ(PitchIndexTable[0][c], 12345) << c;
    EXPECT_EQ(PitchIndexTable[1][c], 12345) << c;
  }
  EXPECT_EQ(PitchIndexTable[2][0], 12345) << "the trailer has no row";
}

TEST(PrepareFrames, BuildsTheLogAmplitudeTableEvenWithoutFrames) {
  std::fill(std::begin(LogAmplitudeTable), std::end(LogAmplitudeTable), -1);
  ASSERT_EQ(Prepared(DatBytes({})).result, "");
  const struct {
    int index;
    std::int32_t value;
  } cases[] = {{0, 0}, {1, 0}, {2, 693}, {1023, 6930}, {1024, 6931}, {4096, 8317}, {65535, 11090}};
  for (const auto& c : cases) {
    EXPECT_EQ(LogAmplitudeTable[c.index], c.value) << c.index;
  }
  for (int i = 1; i < 65536; ++i) {
    ASSERT_EQ(LogAmplitudeTable[i], static_cast<std::int32_t>(std::log(double(i)) * 1000.0)) << i;
  }
}

}  // namespace
}  // namespace larkfold

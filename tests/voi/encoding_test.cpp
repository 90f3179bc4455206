#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "voi/fm_encoding.h"
#include "voi/pcm_encoding.h"

namespace larkfold {
namespace {

std::string Hex(ChannelRecord record) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X %02X", record[0], record[1]);
  return text;
}

struct RecordCase {
  double hertz;
  double amplitude;
  int volume;
  const char* record;
  const char* why;
};

TEST(EncodeFmChannel, GivesTheListedRecords) {
  const RecordCase cases[] = {
      {440.0, 65535, 100, "22 7F", "block 3, F-number 290, level 15"},
      {440.0, 65535, 200, "22 7F", "level 17 limited to 15"},
      {440.0, 1000, 100, "22 73", "level 3"},
      {440.0, 256, 100, "22 70", "level 0 keeps the pitch"},
      {440.0, 255, 100, "00 00", "below level 0"},
      {440.0, 0, 100, "00 00", "silence"},
      {1000.0, 0, 200, "00 00", "silence at any frequency"},
      {0.0, 65535, 100, "00 0F", "0 Hz: E = 0.5"},
      {55.0, 65535, 100, "22 1F", "block 0, F-number 290"},
      {100.0, 65535, 20, "07 3B", "scaled 13107, level 11, block 1, F-number 263"},
      {261.6, 40000, 50, "58 5C", "scaled 20000, level 12, block 2, F-number 344"},
      {1000.0, 30000, 100, "49 9D", "level 13, block 4, F-number 329"},
      {8000.0, 65535, 100, "49 FF", "block 7"},
      {12429.0, 65535, 100, "00 1F", "block 8 reads as 0"},
      {-100.0, 65535, 100, "F2 DF", "negative frequency: t = -526"},
      {440.0, -5, 100, "00 00", "a negative amplitude encodes as silence"},
  };
  for (const RecordCase& c : cases) {
    EXPECT_EQ(Hex(EncodeFmChannel(c.hertz, c.amplitude, c.volume)), c.record)
        << c.hertz << " Hz, " << c.amplitude << ", " << c.volume << "%: " << c.why;
  }
}

// Volume 100 makes the scaled amplitude equal to the amplitude; 200 doubles it.
int FmLevel(int scaled) {
  const double amplitude = scaled <= 65535 ? scaled : scaled / 2.0;
  const int volume = scaled <= 65535 ? 100 : 200;
  const ChannelRecord record = EncodeFmChannel(440.0, amplitude, volume);
  return record[0] == 0 && record[1] == 0 ? -1 : (record[1] & 0x0F);
}

TEST(EncodeFmChannel, StartsEachLevelAtItsFirstScaledAmplitude) {
  const int firsts[16] = {256,  363,  512,  725,   1024,  1449,  2048,  2897,
                          4096, 5793, 8192, 11586, 16384, 23171, 32768, 46341};
  for (int level = 0; level < 16; ++level) {
    EXPECT_EQ(FmLevel(firsts[level]), level) << firsts[level];
    EXPECT_EQ(FmLevel(firsts[level] - 1), level - 1) << firsts[level] - 1;
  }
  // Powers of two sit exactly on a level boundary: ln(s) / ln(2) must come out
  // as the whole exponent, with nothing to spare.
  EXPECT_EQ(FmLevel(1), -1);
  EXPECT_EQ(FmLevel(255), -1);
  EXPECT_EQ(FmLevel(65534), 15);
  EXPECT_EQ(FmLevel(131070), 15);
}

TEST(EncodeFmChannel, TakesPowersOfTwoAsWholeOctaves) {
  for (int exponent = 0; exponent <= 17; ++exponent) {
    const double s = static_cast<double>(1 << exponent);
    const double q = std::log(s) / std::log(2.0);
    EXPECT_EQ(q, exponent) << "2^" << exponent;
    EXPECT_EQ(static_cast<int>(q + q) - 16, 2 * exponent - 16) << "2^" << exponent;
  }
  // 65536 would be level 16 before the limit; 65536 = 32768 at volume 200.
  EXPECT_EQ(EncodeFmChannel(440.0, 32768, 200)[1] & 0x0F, 15);
}

TEST(EncodeFmChannel, ChangesBlockAtTheListedFrequencies) {
  const struct {
    std::int32_t field;  // tenths of a hertz
    int block;
  } bounds[] = {{971, 1}, {1942, 2}, {3884, 3}, {7768, 4}, {15536, 5}, {31072, 6}, {62144, 7}};
  for (const auto& b : bounds) {
    const auto below = EncodeFmChannel((b.field - 1) / 10.0, 65535, 100);
    const auto at = EncodeFmChannel(b.field / 10.0, 65535, 100);
    EXPECT_EQ(below[1] >> 5, b.block - 1) << b.field - 1;
    EXPECT_EQ(at[1] >> 5, b.block) << b.field;
  }
}

TEST(EncodePcmChannel, GivesTheListedRecords) {
  const RecordCase cases[] = {
      {440.0, 65535, 100, "E6 0F", "step 230, level 15"},
      {440.0, 1284, 100, "E6 01", "level 1"},
      {440.0, 1283, 100, "FF F0", "level 0 forces step 4095"},
      {440.0, 1000, 100, "FF F0", "quiet"},
      {440.0, 0, 100, "FF F0", "silence"},
      {0.0, 65535, 100, "1D 0F", "0 Hz: step raised to 29"},
      {55.0, 65535, 100, "1D 0F", "55 Hz: step raised to 29"},
      {-300.0, 65535, 100, "1D 0F", "negative frequency"},
      {100.0, 65535, 20, "34 09", "scaled 13107, level 9, step 52"},
      {261.6, 40000, 50, "88 0B", "scaled 20000, level 11, step 136"},
      {1000.0, 30000, 100, "0A 2D", "step 522, level 13"},
      {1000.0, 65535, 110, "0A 2F", "scaled 72088, level 15"},
      {4000.0, 65535, 100, "27 8F", "step 2087"},
      {8000.0, 65535, 100, "FF FF", "step limited to 4095"},
      {440.0, -5, 100, "FF F0", "a negative amplitude encodes as silence"},
  };
  for (const RecordCase& c : cases) {
    EXPECT_EQ(Hex(EncodePcmChannel(c.hertz, c.amplitude, c.volume)), c.record)
        << c.hertz << " Hz, " << c.amplitude << ", " << c.volume << "%: " << c.why;
  }
}

TEST(EncodePcmChannel, StartsEachLevelAtItsFirstScaledAmplitude) {
  const int firsts[16] = {1,    1284,  1669,  2170,  2820,  3666,  4766,  6195,
                          8054, 10470, 13611, 17694, 23002, 29902, 38873, 50534};
  for (int level = 1; level < 16; ++level) {
    EXPECT_EQ(EncodePcmChannel(1000.0, firsts[level], 100)[1] & 0x0F, level) << firsts[level];
    EXPECT_EQ(EncodePcmChannel(1000.0, firsts[level] - 1, 100)[1] & 0x0F, level - 1)
        << firsts[level] - 1;
  }
}

}  // namespace
}  // namespace larkfold

// Decoding a record must give back what the encoder was given: the same
// formulas read the other way, checked against the encoders themselves.
#include "voi/record_decoding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "voi/fm_encoding.h"
#include "voi/pcm_encoding.h"

namespace larkfold {
namespace {

TEST(DecodeRecord, FmGivesBackTheEncodedFrequencyAtEveryBlock) {
  // From 30 Hz (block 0) to just below 12428.9 Hz, where block 8 would wrap to 0.
  for (double hertz = 30.0; hertz < 12428.0; hertz *= 1.0137) {
    const ChannelRecord record = EncodeFmChannel(hertz, 65535, 100);
    const FmFields fields = FmFieldsOf(record);
    const DecodedRecord decoded = DecodeRecord(SourceType::Fm, record);
    // The encoder rounds to the nearest F-number before halving, so the record
    // is off by at most one F-number step of its block.
    EXPECT_NEAR(decoded.hertz, hertz, FmHertz(1, fields.block)) << hertz << " Hz";
    EXPECT_FALSE(decoded.silent);
    EXPECT_EQ(decoded.level, 15);
  }
}

TEST(DecodeRecord, PcmGivesBackTheEncodedFrequencyToHalfAStep) {
  // The step is clamped to 29..4095: from 55 Hz to 7849 Hz it is exact to rounding.
  for (double hertz = 55.0; hertz < 7849.0; hertz *= 1.0113) {
    const ChannelRecord record = EncodePcmChannel(hertz, 65535, 100);
    const DecodedRecord decoded = DecodeRecord(SourceType::Pcm, record);
    EXPECT_NEAR(decoded.hertz, hertz, PcmHertz(1) / 2 + 1e-9) << hertz << " Hz";
  }
}

TEST(DecodeRecord, ReadsTheFieldsOfKnownRecords) {
  struct Case {
    SourceType source;
    ChannelRecord record;
    bool silent;
    double hertz;
    int level;
    const char* why;
  };
  const double clock = 3579545.0 / (72.0 * 262144.0);  // Hz per F-number step at block 0
  const Case cases[] = {
      {SourceType::Fm, {0x22, 0x7F}, false, 290 * 8 * clock, 15, "440 Hz: block 3, F-number 290"},
      {SourceType::Fm, {0x22, 0x1F}, false, 290 * clock, 15, "55 Hz: block 0, F-number bit 8 set"},
      {SourceType::Fm, {0x49, 0xFF}, false, 329 * 128 * clock, 15, "8000 Hz: block 7"},
      {SourceType::Fm, {0x22, 0x70}, false, 290 * 8 * clock, 0, "level 0 still sounds on FM"},
      {SourceType::Fm, {0x00, 0x0F}, false, 0.0, 15, "0 Hz at level 15 is not the silent record"},
      {SourceType::Fm, {0x00, 0x00}, true, 0.0, 0, "the silent FM record"},
      {SourceType::Pcm, {0xE6, 0x0F}, false, 230 * 15700.0 / 8192, 15, "440 Hz: step 230"},
      {SourceType::Pcm, {0x27, 0x8F}, false, 2087 * 15700.0 / 8192, 15, "4000 Hz: step 2087"},
      {SourceType::Pcm, {0xE6, 0x01}, false, 230 * 15700.0 / 8192, 1, "level 1 sounds"},
      {SourceType::Pcm, {0xFF, 0xF0}, true, 4095 * 15700.0 / 8192, 0, "the silent PCM record"},
      {SourceType::Pcm, {0x1D, 0x00}, true, 29 * 15700.0 / 8192, 0, "any PCM level 0 is silent"},
  };
  for (const Case& c : cases) {
    const DecodedRecord decoded = DecodeRecord(c.source, c.record);
    EXPECT_EQ(decoded.silent, c.silent) << c.why;
    EXPECT_NEAR(decoded.hertz, c.hertz, 1e-9) << c.why;
    EXPECT_EQ(decoded.level, c.level) << c.why;
    EXPECT_EQ(decoded.gain == 0.0, c.silent) << c.why;
  }
}

TEST(DecodeRecord, LevelGainsFollowTheEncodersLevelSteps) {
  // The FM encoder starts level k at a scaled amplitude of 2^((k + 16) / 2):
  // half an octave of amplitude per level. PCM: a factor of 1.3 per level.
  for (int level = 0; level < 15; ++level) {
    EXPECT_NEAR(FmLevelGain(level + 1) / FmLevelGain(level), std::sqrt(2.0), 1e-12);
  }
  for (int level = 1; level < 15; ++level) {
    EXPECT_NEAR(PcmLevelGain(level + 1) / PcmLevelGain(level), 1.3, 1e-12);
  }
  EXPECT_EQ(FmLevelGain(15), 1.0);
  EXPECT_EQ(PcmLevelGain(15), 1.0);

  // And the encoder's levels follow the amplitude the same way: an amplitude
  // four times as large is four FM levels up.
  const int quiet = EncodeFmChannel(440.0, 1024, 100)[1] & 0x0F;
  const int loud = EncodeFmChannel(440.0, 4096, 100)[1] & 0x0F;
  EXPECT_EQ(loud - quiet, 4);
}

}  // namespace
}  // namespace larkfold

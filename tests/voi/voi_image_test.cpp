#include "voi/voi_image.h"

#include <gtest/gtest.h>

#include "voi/tempo_scaling.h"

namespace larkfold {
namespace {

// Fills the image with `frames` frames of `n` records of AB CD.
std::int32_t Build(SourceType source, int n, int frames) {
  VoiImage::Begin(source, n);
  for (int f = 0; f < frames * n; ++f)
    VoiImage::Append({0xAB, 0xCD});
  return VoiImage::Finish(frames);
}

TEST(VoiImage, RoundsHeaderAndRecordsUpToAMultipleOf256) {
  const struct {
    int n, frames;
    std::int32_t length;
    const char* why;
  } cases[] = {
      {5, 0, 256, "header only"},
      {3, 42, 256, "4 + 252 = 256: no zero byte at all"},
      {3, 43, 512, "one record more starts the next 256"},
      {8, 1, 256, "20 bytes then zeros"},
      {8, 39998, 640000, "the longest output: 639972 bytes of header and records"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Build(SourceType::Fm, c.n, c.frames), c.length) << c.why;
  }
}

TEST(VoiImage, WritesTheHeaderAndZeroesEverythingAfterTheRecords) {
  Build(SourceType::Pcm, 8, 39998);  // leaves records all over the image
  const std::int32_t length = Build(SourceType::Fm, 8, 1);
  const std::uint8_t* data = VoiImage::Data();
  EXPECT_EQ(data[0], 3);
  EXPECT_EQ(data[1], 8);
  EXPECT_EQ(data[2], 1);
  EXPECT_EQ(data[3], 0);
  EXPECT_EQ(data[4], 0xAB);
  EXPECT_EQ(data[19], 0xCD);
  for (int i = 20; i < length; ++i)
    ASSERT_EQ(data[i], 0) << i;

  Build(SourceType::Pcm, 8, 39998);
  EXPECT_EQ(VoiImage::Data()[0], 4);
  EXPECT_EQ(VoiImage::Data()[2], 0x3E);
  EXPECT_EQ(VoiImage::Data()[3], 0x9C);
}

TEST(EncodeFrames, EncodesTheActiveSlotsOfEachOutputFrame) {
  DatFrame frames[2] = {};
  frames[0].channels[0] = {65535, 4400};
  frames[0].channels[3] = {65535, 4400};  // slot 3 is beyond three channels
  frames[1].channels[1] = {1000, 4400};
  ConversionSettings settings;
  settings.sourceType = SourceType::Fm;
  settings.channelCount = 3;
  settings.speedFactor = 1.0;
  const std::int32_t length = EncodeFrames(frames, 2, settings);
  EXPECT_EQ(length, 256);
  const std::uint8_t expected[16] = {3, 3, 2, 0, 0x22, 0x7F, 0, 0, 0, 0, 0, 0, 0x22, 0x73, 0, 0};
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(VoiImage::Data()[i], expected[i]) << i;
}

}  // namespace
}  // namespace larkfold

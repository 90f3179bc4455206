// A VOI file reads back exactly as the output stage built it, and every way
// a file can be damaged is named.
#include "voi/voi_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_platform_test.h"
#include "voi/voi_image.h"

namespace larkfold {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A file as the core's image makes it: `frames` frames of `channels` records.
Bytes ImageOf(SourceType source, int channels, int frames) {
  VoiImage::Begin(source, channels);
  for (int f = 0; f < frames; ++f) {
    for (int k = 0; k < channels; ++k) {
      VoiImage::Append(ChannelRecord{static_cast<std::uint8_t>(f), static_cast<std::uint8_t>(k)});
    }
  }
  const std::int32_t length = VoiImage::Finish(frames);
  return Bytes(VoiImage::Data(), VoiImage::Data() + length);
}

TEST(ParseVoi, ReadsBackWhatTheImageHolds) {
  struct Case {
    SourceType source;
    int channels;
    int frames;
    const char* why;
  };
  const Case cases[] = {
      {SourceType::Pcm, 5, 0, "no frames: the shortest file, 256 bytes"},
      {SourceType::Fm, 3, 42, "header and records fill exactly 256 bytes: no tail"},
      {SourceType::Fm, 8, 1, "a long zero tail"},
      {SourceType::Pcm, 8, 300, "several blocks of 256"},
  };
  for (const Case& c : cases) {
    const Bytes bytes = ImageOf(c.source, c.channels, c.frames);
    const VoiReadResult read = ParseVoi(bytes.data(), bytes.size());
    ASSERT_TRUE(read.ok()) << c.why << ": " << read.damage;
    EXPECT_EQ(read.file.sourceType, c.source) << c.why;
    EXPECT_EQ(read.file.channelCount, c.channels) << c.why;
    EXPECT_EQ(read.file.frameCount, c.frames) << c.why;
    EXPECT_EQ(read.file.fileLength, static_cast<std::int64_t>(bytes.size())) << c.why;
    for (int f = 0; f < c.frames; ++f) {
      for (int k = 0; k < c.channels; ++k) {
        EXPECT_EQ(read.file.Record(f, k),
                  (ChannelRecord{static_cast<std::uint8_t>(f), static_cast<std::uint8_t>(k)}));
      }
    }
  }
}

TEST(ParseVoi, NamesWhatIsWrongWithADamagedFile) {
  const Bytes good = ImageOf(SourceType::Fm, 8, 1);  // L = 20, 256 bytes
  struct Case {
    Bytes bytes;
    const char* reason;
    const char* why;
  };
  auto with = [&good](std::size_t offset, std::uint8_t value) {
    Bytes bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  Bytes longer = good;
  longer.resize(512, 0);
  Bytes cut = ImageOf(SourceType::Pcm, 8, 100);  // L = 1604, 1792 bytes
  cut.resize(1536);
  Bytes notRounded = good;
  notRounded.resize(200);
  const Case cases[] = {
      {Bytes{}, "shorter than the 4-byte header", "an empty file"},
      {Bytes{3, 5, 0}, "shorter than the 4-byte header", "three bytes"},
      {with(0, 5), "byte 0 (the source type) is 5", "an unknown source"},
      {with(0, 0), "byte 0 (the source type) is 0", "a zeroed header"},
      {with(1, 2), "byte 1 (the channel count) is 2", "too few channels"},
      {with(1, 9), "byte 1 (the channel count) is 9", "too many channels"},
      {cut, "cut short", "the records end before the header's frame count"},
      {notRounded, "make a file of 256 bytes", "a length that is not rounded up to 256"},
      {longer, "make a file of 256 bytes", "a file with a block too many"},
      {with(20, 1), "byte 20, after the last channel record, is not zero", "a tail byte set"},
      {with(255, 0x80), "byte 255", "the last byte set"},
  };
  for (const Case& c : cases) {
    const VoiReadResult read = ParseVoi(c.bytes.data(), c.bytes.size());
    EXPECT_FALSE(read.ok()) << c.why;
    EXPECT_NE(read.damage.find(c.reason), std::string::npos) << c.why << ": " << read.damage;
  }
}

class ReadVoiFileTest : public testing::FakePlatformTest {};

TEST_F(ReadVoiFileTest, ReadsAFileAndReportsOneThatCannotBeRead) {
  const Bytes bytes = ImageOf(SourceType::Pcm, 4, 10);
  fake::Files().files["song.voi"].bytes.assign(bytes.begin(), bytes.end());
  EXPECT_TRUE(ReadVoiFile("song.voi").ok());
  EXPECT_EQ(fake::Files().openHandles, 0);

  const VoiReadResult missing = ReadVoiFile("missing.voi");
  EXPECT_FALSE(missing.error.empty());
  EXPECT_TRUE(missing.damage.empty());

  fake::Files().files["broken.voi"].bytes.assign(bytes.begin(), bytes.end());
  fake::Files().files["broken.voi"].failRead = true;
  const VoiReadResult broken = ReadVoiFile("broken.voi");
  EXPECT_FALSE(broken.error.empty());
  EXPECT_EQ(fake::Files().openHandles, 0);
}

TEST_F(ReadVoiFileTest, RefusesAFileLongerThanAnyVoiWithoutReadingIt) {
  fake::FakeFile& huge = fake::Files().files["huge.voi"];
  huge.bytes.assign(static_cast<std::size_t>(kLongestVoiFile) + 1, '\0');
  huge.failRead = true;  // a read would be reported as an error, not as damage
  const VoiReadResult read = ReadVoiFile("huge.voi");
  EXPECT_NE(read.damage.find("longer than any VOI file"), std::string::npos) << read.damage;
  EXPECT_TRUE(read.error.empty());
}

}  // namespace
}  // namespace larkfold

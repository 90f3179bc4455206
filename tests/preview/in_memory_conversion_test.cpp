// The conversion `plot` and `render --converted` make on the fly is the one
// `convert` makes, byte for byte, and it leaves no file and no pool block.
#include "preview/in_memory_conversion.h"

#include <gtest/gtest.h>

#include "convert/block_pool.h"
#include "convert/driver.h"
#include "convert/messages.h"
#include "tests/support/dat_builder.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using testing::DatBytes;
using testing::FakeHost;
using testing::Frame;

class InMemoryConversionTest : public testing::FakePlatformTest {
 protected:
  void SetUp() override {
    FakePlatformTest::SetUp();
    host.texts[IDC_DAT_PATH] = "song.dat";
    // Three partials that trade places, so that the matching has work to do.
    std::vector<DatFrame> frames;
    for (int i = 0; i < 90; ++i) {
      const std::int32_t glide = 2200 + 40 * i;
      frames.push_back(i % 3 == 0   ? Frame({{30000, glide}, {9000, 6600}, {2000, 3300 + i}})
                       : i % 3 == 1 ? Frame({{9000, 6600}, {2000, 3300 + i}, {30000, glide}})
                                    : Frame({{2000, 3300 + i}, {30000, glide}, {9000, 6600}}));
    }
    fake::Files().files["song.dat"].bytes = DatBytes(frames);
  }

  FakeHost host;
};

TEST_F(InMemoryConversionTest, GivesTheBytesConvertWritesAndWritesNothing) {
  struct Case {
    int source;
    int channels;
    const char* volume;
    const char* speed;
  };
  const Case cases[] = {{IDC_SOURCE_FM, 3, "100", "1.0"},
                        {IDC_SOURCE_PCM, 6, "150", "0.9"},
                        {IDC_SOURCE_FM, 8, "60", "1.1"}};
  for (const Case& c : cases) {
    host.SelectSource(c.source);
    host.SelectChannels(c.channels);
    host.texts[IDC_VOLUME] = c.volume;
    host.texts[IDC_SPEED] = c.speed;
    const InMemoryConversion made = ConvertInMemory(host, SearchMethod::fast);
    ASSERT_EQ(made.outcome, ConversionOutcome::converted);
    EXPECT_TRUE(host.messages.empty()) << "no final message of its own";
    EXPECT_EQ(fake::Files().files.count("song.voi"), 0u);
    EXPECT_EQ(BlockPool::HeldCount(), 0);
    EXPECT_EQ(ProgressState::busy, 0);
    EXPECT_EQ(ProgressState::progressWindow, nullptr);

    OnConvert(host, SearchMethod::fast);
    ASSERT_EQ(fake::Files().files.count("song.voi"), 1u);
    const std::string& written = fake::Files().files.at("song.voi").bytes;
    EXPECT_EQ(std::string(made.voi.begin(), made.voi.end()), written)
        << c.channels << " channels, speed " << c.speed;
    fake::Files().files.erase("song.voi");
    host.messages.clear();
  }
}

TEST_F(InMemoryConversionTest, ReportsARefusedSettingAFailureAndACancel) {
  host.texts[IDC_VOLUME] = "500";
  EXPECT_EQ(ConvertInMemory(host, SearchMethod::fast).outcome, ConversionOutcome::refused);
  ASSERT_EQ(host.messages.size(), 1u) << "the warning is the host's to show";
  EXPECT_EQ(host.messages[0].type, kMessageWarning);
  host.messages.clear();
  host.texts[IDC_VOLUME] = "100";

  host.texts[IDC_DAT_PATH] = "missing.dat";
  const InMemoryConversion missing = ConvertInMemory(host, SearchMethod::fast);
  EXPECT_EQ(missing.outcome, ConversionOutcome::failed);
  EXPECT_EQ(missing.message, messages::kFileNotFound);
  EXPECT_TRUE(host.messages.empty());

  // A cancel request seen at the first poll: the clock moves 200 ms per reading.
  host.texts[IDC_DAT_PATH] = "song.dat";
  std::int32_t now = 0;
  fake::Clock().milliseconds = [&now] { return now += 200; };
  host.onPump = [] { ProgressState::cancelRequested = 1; };
  ProgressState::cancelRequested = 0;
  const InMemoryConversion cancelled = ConvertInMemory(host, SearchMethod::fast);
  EXPECT_EQ(cancelled.outcome, ConversionOutcome::cancelled);
  EXPECT_TRUE(cancelled.voi.empty());
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(ProgressState::busy, 0);
  EXPECT_EQ(host.windowsCreated, host.windowsDestroyed);
}

}  // namespace
}  // namespace larkfold

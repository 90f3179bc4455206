// Both searches, through the whole conversion, write the same bytes.
#include <gtest/gtest.h>

#include <random>

#include "convert/driver.h"
#include "tests/support/dat_builder.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using WholeFileAgreementTest = testing::FakePlatformTest;

// Voices that wander and cross, with quiet stretches and repeated values so
// that many frames tie.
std::vector<DatFrame> RandomRecording(std::mt19937& random, int frames) {
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_int_distribution<int> amplitude(0, 30000);
  std::uniform_int_distribution<int> frequency(300, 20000);
  std::vector<DatFrame> recording(static_cast<std::size_t>(frames));
  for (DatFrame& frame : recording) {
    for (ChannelSample& sample : frame.channels) {
      const int kind = pick(random);
      sample.amplitude = kind < 2 ? 0 : kind < 4 ? 700 : kind < 5 ? 20000 : amplitude(random);
      sample.frequency = kind < 6 ? 4400 : frequency(random);
    }
  }
  return recording;
}

TEST_F(WholeFileAgreementTest, BothSearchesWriteTheSameFileForEveryChannelCountAndSource) {
  std::mt19937 random(42);
  for (int n = 3; n <= 8; ++n) {
    for (int source : {IDC_SOURCE_FM, IDC_SOURCE_PCM}) {
      fake::Files().files["r.dat"].bytes = testing::DatBytes(RandomRecording(random, 150));
      std::string written[2];
      for (SearchMethod method : {SearchMethod::fast, SearchMethod::exhaustive}) {
        testing::FakeHost host;
        host.texts[IDC_DAT_PATH] = "r.dat";
        host.texts[IDC_SPEED] = "0.95";
        host.SelectSource(source);
        host.SelectChannels(n);
        OnConvert(host, method);
        ASSERT_EQ(host.messages.at(0).text, "終了しました");
        written[method == SearchMethod::fast ? 0 : 1] = fake::Files().files.at("r.voi").bytes;
      }
      EXPECT_EQ(written[0], written[1]) << n << " channels, source " << source;
    }
  }
}

}  // namespace
}  // namespace larkfold

// Everything the converter derives from a natural logarithm, pinned down so
// that every build gives the same files. The runtimes' logarithms are not
// identical (mingw-w64's differs from glibc's in the last bit for about one
// input in four thousand), but none of those differences reaches a pitch
// index, a log-amplitude entry or a level; these tests hold every build to it.
#include <gtest/gtest.h>

#include <cstdint>

#include "dat/frame_preparation.h"
#include "tests/support/frame_pairs.h"
#include "voi/fm_encoding.h"
#include "voi/pcm_encoding.h"

namespace larkfold {
namespace {

struct PitchStep {
  std::int32_t field;
  std::int32_t index;
};

// Made by sweeping every frequency field from 1 to 2147483647.
const PitchStep kPitchSteps[] = {
#include "tests/dat/pitch_index_steps.inc"
};

TEST(LogDependentValues, ThePitchIndexChangesAtExactlyTheSameFrequencyFields) {
  std::int32_t previous = PitchIndexOf(1);
  EXPECT_EQ(previous, -228);
  for (const PitchStep& step : kPitchSteps) {
    ASSERT_EQ(PitchIndexOf(step.field - 1), previous) << "field " << step.field - 1;
    ASSERT_EQ(PitchIndexOf(step.field), step.index) << "field " << step.field;
    previous = step.index;
  }
  EXPECT_EQ(previous, 887);
}

class Fingerprint {
 public:
  void Add(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      hash_ = (hash_ ^ ((value >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 1469598103934665603ull;
};

TEST(LogDependentValues, TheLogAmplitudeTableIsTheSameEverywhere) {
  testing::BuildLogAmplitudeTable();
  Fingerprint fingerprint;
  for (std::int32_t entry : LogAmplitudeTable)
    fingerprint.Add(static_cast<std::uint32_t>(entry));
  EXPECT_EQ(fingerprint.value(), 0x92b661cfe9218254ull);
}

TEST(LogDependentValues, EveryLevelOfEveryAmplitudeAndVolumeIsTheSameEverywhere) {
  // Every scaled amplitude the converter can make is reached here.
  Fingerprint fm;
  Fingerprint pcm;
  for (int volume : {20, 21, 50, 99, 100, 101, 150, 199, 200}) {
    for (int amplitude = 0; amplitude <= 65535; ++amplitude) {
      const ChannelRecord f = EncodeFmChannel(1000.0, amplitude, volume);
      const ChannelRecord p = EncodePcmChannel(1000.0, amplitude, volume);
      fm.Add(f[0] | f[1] << 8);
      pcm.Add(p[0] | p[1] << 8);
    }
  }
  EXPECT_EQ(fm.value(), 0xd366972625d484b0ull) << std::hex << fm.value();
  EXPECT_EQ(pcm.value(), 0xac47b757fa166d01ull) << std::hex << pcm.value();
}

}  // namespace
}  // namespace larkfold

// The fast solver must pick exactly the ordering of the exhaustive search, on
// every frame. Random frames are mixed with frames built to tie.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "assign/exhaustive_search.h"
#include "assign/fast_solver.h"
#include "tests/support/frame_pairs.h"

namespace larkfold {
namespace {

using testing::FramePairData;

int FramesPerChannelCount() {
  // Slower builds (sanitizers, an emulated runtime) may ask for fewer.
  const char* value = std::getenv("LARKFOLD_AGREEMENT_FRAMES");
  return value != nullptr ? std::atoi(value) : 100000;
}

class FrameMaker {
 public:
  explicit FrameMaker(std::uint32_t seed) : random_(seed) {}

  FramePairData Make(int n) {
    FramePairData data;
    data.n = n;
    const int kind = Pick(0, 7);
    for (int c = 0; c < n; ++c) {
      data.previous.channels[c].amplitude = Amplitude(kind);
      data.current.channels[c].amplitude = Amplitude(kind);
      data.previousPitch[c] = Pitch(kind);
      data.currentPitch[c] = Pitch(kind);
    }
    if (kind == 6) {
      // The current frame repeats the previous one in another order.
      for (int c = 0; c < n; ++c) {
        const int from = Pick(0, n - 1);
        data.current.channels[c] = data.previous.channels[from];
        data.currentPitch[c] = data.previousPitch[from];
      }
    }
    return data;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::int32_t Amplitude(int kind) {
    static const std::int32_t edges[] = {0, 1, 2, 1023, 1024, 1025, 4096, 65535};
    switch (kind) {
      case 0:
        return Pick(0, 65535);  // anything
      case 1:
        return edges[Pick(0, 7)];  // few values, many ties
      case 2:
        return Pick(0, 1023);  // all quiet
      case 3:
        return 20000;  // equal amplitudes
      case 4:
        return Pick(1023, 1024);  // on the quiet boundary
      case 5:
        return Pick(0, 1) == 0 ? Pick(0, 1023) : Pick(1024, 65535);
      default:
        return edges[Pick(2, 7)];
    }
  }

  std::int32_t Pitch(int kind) {
    switch (kind) {
      case 0:
        return Pick(-228, 887);
      case 1:
        return Pick(0, 2) * 36;
      case 5:
        return 207;  // equal pitch indices
      default:
        return Pick(100, 110);
    }
  }

  std::mt19937 random_;
};

std::string Describe(const FramePairData& data) {
  std::ostringstream text;
  for (int c = 0; c < data.n; ++c) {
    text << "(" << data.previous.channels[c].amplitude << "," << data.previousPitch[c] << " -> "
         << data.current.channels[c].amplitude << "," << data.currentPitch[c] << ") ";
  }
  return text.str();
}

class SolverAgreementTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { testing::BuildLogAmplitudeTable(); }
};

TEST_P(SolverAgreementTest, FastSolverPicksTheExhaustiveOrderingOnEveryFrame) {
  const int n = GetParam();
  BuildPermutationTable(n);
  FrameMaker maker(20261211u + static_cast<std::uint32_t>(n));
  const int frames = FramesPerChannelCount();
  for (int i = 0; i < frames; ++i) {
    const FramePairData data = maker.Make(n);
    const Ordering expected = ExhaustiveBestOrdering(data.View());
    const Ordering actual = FastBestOrdering(data.View());
    ASSERT_EQ(actual, expected) << "frame " << i << ": " << Describe(data);
  }
}

INSTANTIATE_TEST_SUITE_P(ChannelCounts, SolverAgreementTest, ::testing::Range(3, 9),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

}  // namespace
}  // namespace larkfold

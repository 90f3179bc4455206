// Per-frame cost of the two channel-matching solvers at every channel count,
// on frames like those of a real recording and on frames built to tie.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "assign/exhaustive_search.h"
#include "assign/fast_solver.h"
#include "dat/frame_preparation.h"

namespace larkfold {
namespace {

struct PairData {
  DatFrame previous{};
  DatFrame current{};
  std::int32_t previousPitch[8]{};
  std::int32_t currentPitch[8]{};
};

std::vector<PairData> MakePairs(bool tied) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> amplitude(0, 65535);
  std::uniform_int_distribution<int> pitch(100, 400);
  std::vector<PairData> pairs(1024);
  for (PairData& pair : pairs) {
    for (int c = 0; c < 8; ++c) {
      const int a = tied ? 4096 : amplitude(random);
      const int p = tied ? 207 : pitch(random);
      pair.previous.channels[c].amplitude = a;
      pair.previousPitch[c] = p;
      // The current frame: the same voices, a little moved, in another order.
      pair.current.channels[(c + 3) % 8].amplitude = tied ? a : std::min(65535, a + 300);
      pair.currentPitch[(c + 3) % 8] = tied ? p : p + 1;
    }
  }
  return pairs;
}

void Prepare() {
  for (int i = 1; i < 65536; ++i) {
    LogAmplitudeTable[i] = static_cast<std::int32_t>(std::log(static_cast<double>(i)) * 1000.0);
  }
}

template <Ordering (*Solve)(const FramePair&)>
void BM_Solver(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const bool tied = state.range(1) != 0;
  Prepare();
  BuildPermutationTable(n);
  const std::vector<PairData> pairs = MakePairs(tied);
  std::size_t i = 0;
  for (auto _ : state) {
    const PairData& pair = pairs[i++ % pairs.size()];
    const FramePair view{pair.previous, pair.current, pair.previousPitch, pair.currentPitch, n};
    benchmark::DoNotOptimize(Solve(view));
  }
  state.SetLabel(tied ? "tied frames" : "moving voices");
}

void ChannelCounts(benchmark::internal::Benchmark* bench) {
  for (int n = 3; n <= 8; ++n) {
    bench->Args({n, 0});
    bench->Args({n, 1});
  }
}

BENCHMARK(BM_Solver<FastBestOrdering>)->Name("fast")->Apply(ChannelCounts);
BENCHMARK(BM_Solver<ExhaustiveBestOrdering>)->Name("exhaustive")->Apply(ChannelCounts);

}  // namespace
}  // namespace larkfold

BENCHMARK_MAIN();

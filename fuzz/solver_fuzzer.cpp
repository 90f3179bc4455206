// The fast solver against the exhaustive search, on two arbitrary frames: both
// must pick the same ordering. Frames hold what frame preparation leaves:
// amplitudes 0..65535 and pitch indices -228..887.
//
//   byte 0   channel count, 3 + value % 6
//   byte 1   how values are drawn: 0 anything, 1 a few edge values (ties),
//            2 the current frame repeats the previous one in some order
//   then     two bytes per amplitude and per pitch, previous frame first;
//            missing bytes read as 0
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "assign/exhaustive_search.h"
#include "assign/fast_solver.h"
#include "assign/permutation_table.h"
#include "dat/frame_preparation.h"
#include "tests/support/frame_pairs.h"

namespace larkfold {
namespace {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned Next16() {
    unsigned value = 0;
    for (int i = 0; i < 2; ++i) {
      value = value << 8 | (at_ < size_ ? data_[at_] : 0u);
      ++at_;
    }
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

constexpr std::int32_t kEdgeAmplitudes[] = {0, 1, 2, 1023, 1024, 1025, 4096, 65535};
constexpr std::int32_t kEdgePitches[] = {-228, -1, 0, 1, 207, 208, 887, 886};

std::int32_t Amplitude(ByteReader& reader, int kind) {
  const unsigned value = reader.Next16();
  return kind == 1 ? kEdgeAmplitudes[value % 8] : static_cast<std::int32_t>(value);
}

std::int32_t Pitch(ByteReader& reader, int kind) {
  const unsigned value = reader.Next16();
  return kind == 1 ? kEdgePitches[value % 8] : static_cast<std::int32_t>(value % 1116) - 228;
}

// LogAmplitudeTable as the program builds it: by preparing a file that holds
// only its trailer.
void BuildTablesOnce() {
  static bool built = false;
  if (built) {
    return;
  }
  std::vector<unsigned char> block(64 + 4096, 0);
  const std::int32_t rate = kDatFrameRate;
  std::memcpy(block.data() + 60, &rate, 4);
  std::int32_t frameCount = -1;
  if (!PrepareFrames(block.data(), 64, 8, frameCount).empty() || frameCount != 0) {
    std::abort();
  }
  built = true;
}

// PermutationTable for n channels, as BuildPermutationTable leaves it; each
// table is built once and copied back when its channel count comes again.
void UsePermutationTable(int n) {
  static int current = 0;
  static std::vector<std::int32_t> built[9];
  if (current == n) {
    return;
  }
  const std::size_t count = static_cast<std::size_t>(PermutationCount(n));
  if (built[n].empty()) {
    BuildPermutationTable(n);
    built[n].assign(PermutationTable, PermutationTable + count);
  } else {
    std::copy(built[n].begin(), built[n].end(), PermutationTable);
  }
  current = n;
}

void Report(const char* name, const Ordering& ordering, std::int32_t cost, int n) {
  std::fprintf(stderr, "%s:", name);
  for (int k = 0; k < n; ++k) {
    std::fprintf(stderr, " %d", ordering[k]);
  }
  std::fprintf(stderr, " (cost %d)\n", cost);
}

}  // namespace
}  // namespace larkfold

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace larkfold;
  if (size < 2) {
    return 0;
  }
  BuildTablesOnce();
  testing::FramePairData frames;
  frames.n = 3 + data[0] % 6;
  UsePermutationTable(frames.n);

  const int kind = data[1] % 3;
  ByteReader reader(data + 2, size - 2);
  for (int c = 0; c < frames.n; ++c) {
    frames.previous.channels[c].amplitude = Amplitude(reader, kind);
    frames.previousPitch[c] = Pitch(reader, kind);
  }
  for (int c = 0; c < frames.n; ++c) {
    if (kind == 2) {
      const int from = static_cast<int>(reader.Next16() % static_cast<unsigned>(frames.n));
      frames.current.channels[c] = frames.previous.channels[from];
      frames.currentPitch[c] = frames.previousPitch[from];
    } else {
      frames.current.channels[c].amplitude = Amplitude(reader, kind);
      frames.currentPitch[c] = Pitch(reader, kind);
    }
  }

  const FramePair pair = frames.View();
  const Ordering fast = FastBestOrdering(pair);
  const Ordering exhaustive = ExhaustiveBestOrdering(pair);
  if (fast != exhaustive) {
    Report("fast", fast, OrderingCost(pair, fast), frames.n);
    Report("exhaustive", exhaustive, OrderingCost(pair, exhaustive), frames.n);
    std::abort();
  }
  return 0;
}

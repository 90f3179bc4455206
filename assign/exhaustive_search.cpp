#include "assign/exhaustive_search.h"

#include <limits>

namespace larkfold {

Ordering ExhaustiveBestOrdering(const FramePair& pair) {
  std::int32_t best = std::numeric_limits<std::int32_t>::max();
  std::int32_t bestIndex = 0;
  const std::int32_t count = PermutationCount(pair.n);
  for (std::int32_t l = 0; l < count; ++l) {
    const std::int32_t cost = OrderingCost(pair, UnpackPermutation(PermutationTable[l]));
    if (cost < best) {
      best = cost;
      bestIndex = l;
    }
  }
  return UnpackPermutation(PermutationTable[bestIndex]);
}

}  // namespace larkfold

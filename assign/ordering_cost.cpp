#include "assign/ordering_cost.h"

namespace larkfold {

std::int32_t OrderingCost(const FramePair& pair, const Ordering& p) {
  std::int32_t cost = 0;
  for (int k = 0; k < pair.n; ++k) {
    cost += OrderingTerm(pair, k, p[k]);
  }
  return cost;
}

}  // namespace larkfold

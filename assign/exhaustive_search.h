#pragma once

#include "assign/ordering_cost.h"

namespace larkfold {

// The reference: every entry of PermutationTable in table order, the first of
// the cheapest kept. PermutationTable must have been built for pair.n.
Ordering ExhaustiveBestOrdering(const FramePair& pair);

}  // namespace larkfold

#pragma once

#include "assign/ordering_cost.h"

namespace larkfold {

// The same ordering as ExhaustiveBestOrdering (the lexicographically smallest
// of the cheapest), found as an assignment problem instead of by trying all n!.
Ordering FastBestOrdering(const FramePair& pair);

}  // namespace larkfold

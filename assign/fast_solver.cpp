// The cost of an ordering is a sum of independent terms C[k][p[k]], so the
// cheapest ordering is an assignment problem. The exhaustive search keeps the
// first cheapest entry of a table in lexicographic order; this solver finds
// that same ordering directly:
//
//  1. If, row by row, the smallest channel with the row's least term forms a
//     permutation, it is the answer: nothing can cost less than the sum of the
//     row minima, and any other ordering that reaches it uses a row minimum in
//     every row, so it is never lexicographically smaller.
//  2. Otherwise a dynamic programme over subsets: g[mask] is the cheapest way
//     to fill positions popcount(mask)..n-1 with the channels outside mask.
//     Walking forward and taking at each position the smallest channel that
//     still reaches g yields the lexicographically smallest cheapest ordering.
#include "assign/fast_solver.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace larkfold {

Ordering FastBestOrdering(const FramePair& pair) {
  const int n = pair.n;
  std::int32_t terms[8][8];
  for (int k = 0; k < n; ++k) {
    for (int j = 0; j < n; ++j) {
      terms[k][j] = OrderingTerm(pair, k, j);
    }
  }

  Ordering ordering = {0, 1, 2, 3, 4, 5, 6, 7};
  unsigned used = 0;
  bool rowMinimaFormPermutation = true;
  for (int k = 0; k < n; ++k) {
    int smallest = 0;
    for (int j = 1; j < n; ++j) {
      if (terms[k][j] < terms[k][smallest]) {
        smallest = j;
      }
    }
    if ((used & (1u << smallest)) != 0) {
      rowMinimaFormPermutation = false;
      break;
    }
    used |= 1u << smallest;
    ordering[k] = smallest;
  }
  if (rowMinimaFormPermutation) {
    return ordering;
  }

  const unsigned full = (1u << n) - 1;
  std::int32_t completion[256];
  completion[full] = 0;
  for (unsigned mask = full; mask-- > 0;) {
    const int k = std::popcount(mask);
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    for (unsigned free = full & ~mask; free != 0; free &= free - 1) {
      const int j = std::countr_zero(free);
      const std::int32_t cost = terms[k][j] + completion[mask | (1u << j)];
      if (cost < best) {
        best = cost;
      }
    }
    completion[mask] = best;
  }

  unsigned mask = 0;
  for (int k = 0; k < n; ++k) {
    for (unsigned free = full & ~mask; free != 0; free &= free - 1) {
      const int j = std::countr_zero(free);
      if (terms[k][j] + completion[mask | (1u << j)] == completion[mask]) {
        ordering[k] = j;
        mask |= 1u << j;
        break;
      }
    }
  }
  return ordering;
}

}  // namespace larkfold

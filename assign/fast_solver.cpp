// The cost of an ordering is a sum of independent terms C[k][p[k]], so the
// cheapest ordering is an assignment problem. The exhaustive search keeps the
// first cheapest entry of a table in lexicographic order; this solver finds
// that same ordering directly:
//
//  1. Row by row, take the smallest channel not yet taken whose term is the
//     row's least. If every row finds one, that ordering is the answer:
//     nothing costs less than the sum of the row minima, every ordering that
//     reaches it takes a row minimum in every row, and at each row this one
//     took the smallest channel such an ordering could take there.
//  2. Otherwise a dynamic programme over subsets: g[mask] is the cheapest way
//     to fill positions popcount(mask)..n-1 with the channels outside mask.
//     Walking forward and taking at each position the smallest channel that
//     still reaches g yields the lexicographically smallest cheapest ordering.
#include "assign/fast_solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace larkfold {
namespace {

// popcount of every subset of eight channels, without relying on the
// processor having the instruction.
constexpr auto kPositionsFilled = [] {
  std::array<std::uint8_t, 256> counts{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    counts[mask] = static_cast<std::uint8_t>(std::popcount(mask));
  }
  return counts;
}();

}  // namespace

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
  bool everyRowAtItsMinimum = true;
  for (int k = 0; k < n && everyRowAtItsMinimum; ++k) {
    std::int32_t least = terms[k][0];
    for (int j = 1; j < n; ++j) {
      least = std::min(least, terms[k][j]);
    }
    everyRowAtItsMinimum = false;
    for (int j = 0; j < n; ++j) {
      if (terms[k][j] == least && (used & (1u << j)) == 0) {
        used |= 1u << j;
        ordering[k] = j;
        everyRowAtItsMinimum = true;
        break;
      }
    }
  }
  if (everyRowAtItsMinimum) {
    return ordering;
  }

  const unsigned full = (1u << n) - 1;
  std::int32_t completion[256];
  completion[full] = 0;
  for (unsigned mask = full; mask-- > 0;) {
    const int k = kPositionsFilled[mask];
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

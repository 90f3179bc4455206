#include "assign/permutation_table.h"

namespace larkfold {

std::int32_t PermutationTable[40320];

std::int32_t PermutationCount(int n) {
  return FactorialTable[8 - n];
}

void BuildPermutationTable(int n) {
  // Entry t read as a number in the factorial number system: its digit for
  // slot u (weight (n-1-u)!) picks the digit-th smallest channel not yet placed.
  const std::int32_t count = PermutationCount(n);
  for (std::int32_t t = 0; t < count; ++t) {
    int elements[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int u = 0; u < n; ++u) {
      const std::int32_t weight = FactorialTable[9 - n + u];
      const int q = static_cast<int>((t / weight) % (n - u));
      const int taken = elements[u + q];
      for (int i = u + q; i > u; --i) {
        elements[i] = elements[i - 1];
      }
      elements[u] = taken;
    }
    std::int32_t entry = 0;
    for (int k = 0; k < 8; ++k) {
      entry += elements[k] << (3 * k);
    }
    PermutationTable[t] = entry;
  }
}

Ordering UnpackPermutation(std::int32_t entry) {
  Ordering slots;
  for (int k = 0; k < 8; ++k) {
    slots[k] = (entry >> (3 * k)) & 7;
  }
  return slots;
}

}  // namespace larkfold

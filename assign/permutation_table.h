// Every ordering of the n active channels, in lexicographic order, each packed
// into one 32-bit entry: slot k (k = 0..7) in bits 3k..3k+2. Slots 0..n-1 hold
// a permutation of 0..n-1 (output position k takes channel slot[k]); slots
// n..7 hold their own index; bits 24..31 are zero.
#pragma once

#include <array>
#include <cstdint>

namespace larkfold {

// Entry k holds (8 - k)!.
inline constexpr std::int32_t FactorialTable[9] = {40320, 5040, 720, 120, 24, 6, 2, 1, 1};

extern std::int32_t PermutationTable[40320];

// For each output position, the channel it takes.
using Ordering = std::array<int, 8>;

inline constexpr std::int32_t kIdentityEntry = 16434824;  // slots 0, 1, 2, ..., 7

// n! for n = 0..8.
std::int32_t PermutationCount(int n);

// Fills entries 0..n!-1; later entries keep what an earlier build left.
void BuildPermutationTable(int n);

Ordering UnpackPermutation(std::int32_t entry);

}  // namespace larkfold

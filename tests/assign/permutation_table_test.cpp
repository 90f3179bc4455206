#include "assign/permutation_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace larkfold {
namespace {

Ordering Slots(std::initializer_list<int> active) {
  Ordering slots = {0, 1, 2, 3, 4, 5, 6, 7};
  std::copy(active.begin(), active.end(), slots.begin());
  return slots;
}

TEST(PermutationTable, ListsTheSixOrderingsOfThreeChannelsInLexicographicOrder) {
  BuildPermutationTable(3);
  const Ordering expected[6] = {Slots({0, 1, 2}), Slots({0, 2, 1}), Slots({1, 0, 2}),
                                Slots({1, 2, 0}), Slots({2, 0, 1}), Slots({2, 1, 0})};
  for (int t = 0; t < 6; ++t)
    EXPECT_EQ(UnpackPermutation(PermutationTable[t]), expected[t]) << t;
}

TEST(PermutationTable, HoldsTheListedEntriesForEightChannels) {
  BuildPermutationTable(8);
  EXPECT_EQ(PermutationTable[0], kIdentityEntry);
  EXPECT_EQ(UnpackPermutation(PermutationTable[1]), Slots({0, 1, 2, 3, 4, 5, 7, 6}));
  EXPECT_EQ(UnpackPermutation(PermutationTable[5039]), Slots({0, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(UnpackPermutation(PermutationTable[5040]), Slots({1, 0, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(UnpackPermutation(PermutationTable[40319]), Slots({7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(PermutationTable, EveryEntryIsAStrictlyIncreasingPermutationWithFixedUpperSlots) {
  for (int n = 3; n <= 8; ++n) {
    BuildPermutationTable(n);
    EXPECT_EQ(PermutationCount(n), FactorialTable[8 - n]);
    for (std::int32_t t = 0; t < PermutationCount(n); ++t) {
      const std::int32_t entry = PermutationTable[t];
      ASSERT_EQ(entry & ~0xFFFFFF, 0) << n << " " << t;
      Ordering slots = UnpackPermutation(entry);
      for (int k = n; k < 8; ++k)
        ASSERT_EQ(slots[k], k) << n << " " << t;
      std::sort(slots.begin(), slots.begin() + n);
      for (int k = 0; k < n; ++k)
        ASSERT_EQ(slots[k], k) << n << " " << t;
      if (t > 0) {
        ASSERT_TRUE(UnpackPermutation(PermutationTable[t - 1]) < UnpackPermutation(entry));
      }
    }
  }
}

TEST(PermutationTable, ASmallerBuildLeavesTheRestOfALargerOne) {
  BuildPermutationTable(8);
  const std::int32_t entry6 = PermutationTable[6];
  const std::int32_t last = PermutationTable[40319];
  BuildPermutationTable(3);
  EXPECT_EQ(PermutationTable[6], entry6);
  EXPECT_EQ(PermutationTable[40319], last);
}

TEST(PermutationCount, IsTheFactorial) {
  const std::int32_t expected[9] = {1, 1, 2, 6, 24, 120, 720, 5040, 40320};
  for (int n = 0; n <= 8; ++n)
    EXPECT_EQ(PermutationCount(n), expected[n]);
}

}  // namespace
}  // namespace larkfold

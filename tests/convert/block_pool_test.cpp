#include "convert/block_pool.h"

#include <gtest/gtest.h>

#include "tests/support/fake_platform_test.h"

namespace larkfold {
namespace {

using BlockPoolTest = testing::FakePlatformTest;

TEST_F(BlockPoolTest, ReleasingAnEmptyPoolDoesNothingAndReturnsNull) {
  EXPECT_EQ(BlockPool::Request(0), nullptr);
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_TRUE(fake::Blocks().releaseOrder.empty());
}

TEST_F(BlockPoolTest, ReleasesTheLastBlockFirstAndEmptiesEverySlot) {
  void* first = BlockPool::Request(100);
  void* second = BlockPool::Request(200);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(BlockPool::HeldCount(), 2);
  EXPECT_EQ(BlockPool::Slot(0), first);
  EXPECT_EQ(BlockPool::Slot(1), second);

  EXPECT_EQ(BlockPool::Request(0), nullptr);
  EXPECT_EQ(fake::Blocks().releaseOrder, (std::vector<void*>{second, first}));
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_EQ(BlockPool::Slot(0), nullptr);
  EXPECT_EQ(BlockPool::Slot(1), nullptr);

  // A new request lands in slot 0 again.
  void* third = BlockPool::Request(10);
  EXPECT_EQ(BlockPool::Slot(0), third);
  EXPECT_EQ(BlockPool::HeldCount(), 1);
}

TEST_F(BlockPoolTest, AFailedAllocationStillTakesASlotUntilTheRelease) {
  fake::Blocks().failNextAllocations = 1;
  EXPECT_EQ(BlockPool::Request(100), nullptr);
  EXPECT_EQ(BlockPool::HeldCount(), 1);
  EXPECT_EQ(BlockPool::Slot(0), nullptr);
  EXPECT_EQ(BlockPool::Request(0), nullptr);
  EXPECT_EQ(BlockPool::HeldCount(), 0);
  EXPECT_TRUE(fake::Blocks().releaseOrder.empty()) << "a null slot is not handed to the system";
}

TEST_F(BlockPoolTest, AFailedReleaseIsReportedButThePoolStillEndsEmpty) {
  void* block = BlockPool::Request(8);
  fake::Blocks().refuseReleases = true;
  EXPECT_EQ(BlockPool::Request(0), block);
  EXPECT_EQ(BlockPool::HeldCount(), 0);
}

TEST_F(BlockPoolTest, RefusesARequestBeyondItsCapacityWithoutAllocating) {
  for (int i = 0; i < BlockPool::kCapacity; ++i) {
    ASSERT_NE(BlockPool::Request(1), nullptr);
  }
  const int allocations = fake::Blocks().allocations;
  EXPECT_EQ(BlockPool::Request(1), nullptr);
  EXPECT_EQ(fake::Blocks().allocations, allocations);
  EXPECT_EQ(BlockPool::HeldCount(), BlockPool::kCapacity);
  BlockPool::Request(0);
  EXPECT_EQ(fake::Blocks().liveBlocks, 0);
}

}  // namespace
}  // namespace larkfold

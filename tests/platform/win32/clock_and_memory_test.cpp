#include <windows.h>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/memory.h"

namespace larkfold {
namespace {

TEST(Win32Clock, TheCounterExistsAndRuns) {
  std::int64_t frequency = 0;
  ASSERT_TRUE(ReadCounterFrequency(&frequency));
  EXPECT_GT(frequency, 0);
  const std::int64_t before = ReadCounter();
  ::Sleep(20);
  EXPECT_GT(ReadCounter(), before);
}

TEST(Win32Clock, TheMillisecondClockCountsWallClockTime) {
  // clock() on Windows counts elapsed time, not processor time: it advances
  // while the program sleeps.
  const std::int32_t before = ReadMillisecondClock();
  ::Sleep(300);
  const std::int32_t elapsed = ReadMillisecondClock() - before;
  EXPECT_GE(elapsed, 250);
  EXPECT_LT(elapsed, 5000);
}

TEST(Win32Memory, FixedBlocksAreTheirOwnAddressAndAreReleased) {
  auto* block = static_cast<unsigned char*>(AllocateFixedBlock(1 << 20));
  ASSERT_NE(block, nullptr);
  block[0] = 1;
  block[(1 << 20) - 1] = 2;
  EXPECT_EQ(::GlobalSize(block), static_cast<SIZE_T>(1 << 20));
  EXPECT_EQ(FreeFixedBlock(block), nullptr);
}

}  // namespace
}  // namespace larkfold

#pragma once

#include <gtest/gtest.h>

#include "assign/progress_state.h"
#include "convert/block_pool.h"
#include "tests/fake_platform/fake_platform.h"

namespace larkfold::testing {

// Every core test starts with an empty fake platform, an empty pool and the
// shared progress record as the program starts.
class FakePlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BlockPool::Request(0);
    fake::Reset();
    ProgressState::cancelRequested = 0;
    ProgressState::remainingSeconds = 0.0;
    ProgressState::progressWindow = nullptr;
    ProgressState::busy = 0;
  }
  void TearDown() override { BlockPool::Request(0); }
};

}  // namespace larkfold::testing

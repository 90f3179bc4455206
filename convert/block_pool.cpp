#include "convert/block_pool.h"

#include <cstdint>

#include "platform/memory.h"

namespace larkfold {
namespace {

struct PoolRecord {
  void* slots[BlockPool::kCapacity] = {};
  std::int32_t count = 0;
};

PoolRecord pool;

}  // namespace

void* BlockPool::Request(std::int32_t byteCount) {
  if (byteCount != 0) {
    if (pool.count >= kCapacity) {
      return nullptr;
    }
    void* block = byteCount > 0 ? AllocateFixedBlock(static_cast<std::size_t>(byteCount)) : nullptr;
    pool.slots[pool.count] = block;
    ++pool.count;
    return block;
  }

  std::uintptr_t failures = 0;
  while (pool.count != 0) {
    --pool.count;
    void* block = pool.slots[pool.count];
    if (block != nullptr) {
      failures |= reinterpret_cast<std::uintptr_t>(FreeFixedBlock(block));
    }
    pool.slots[pool.count] = nullptr;
  }
  return reinterpret_cast<void*>(failures);
}

std::int32_t BlockPool::HeldCount() {
  return pool.count;
}

void* BlockPool::Slot(int index) {
  return index >= 0 && index < kCapacity ? pool.slots[index] : nullptr;
}

}  // namespace larkfold

// Owner of the only memory a conversion allocates: fixed blocks that are all
// taken back by one call.
#pragma once

#include <cstdint>

namespace larkfold {

class BlockPool {
 public:
  static constexpr int kCapacity = 256;

  // A byte count other than 0 allocates a block and keeps it, null included,
  // in the next slot; once kCapacity blocks are held it returns null and keeps
  // nothing. A byte count of 0 releases every block, the last taken first, and
  // returns the bitwise OR of the release results (null when all succeeded).
  static void* Request(std::int32_t byteCount);

  // Occupied slots and their handles, for checks that nothing stays held.
  static std::int32_t HeldCount();
  static void* Slot(int index);
};

}  // namespace larkfold

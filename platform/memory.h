// Fixed (non-movable) blocks of memory, the only memory a conversion takes at
// run time. A block's handle is its address.
#pragma once

#include <cstddef>

namespace larkfold {

// Null when the system cannot supply the block. The contents are undefined.
void* AllocateFixedBlock(std::size_t byteCount);

// Null on success, the block itself when the system refused to release it.
void* FreeFixedBlock(void* block);

}  // namespace larkfold

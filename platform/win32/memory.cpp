#include "platform/memory.h"

#include <windows.h>

namespace larkfold {

// The handle of a fixed global block is its address.
void* AllocateFixedBlock(std::size_t byteCount) {
  return ::GlobalAlloc(GMEM_FIXED, byteCount);
}

void* FreeFixedBlock(void* block) {
  return ::GlobalFree(block);
}

}  // namespace larkfold

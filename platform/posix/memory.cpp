#include "platform/memory.h"

#include <cstdlib>

namespace larkfold {

void* AllocateFixedBlock(std::size_t byteCount) {
  return std::malloc(byteCount);
}

void* FreeFixedBlock(void* block) {
  std::free(block);
  return nullptr;
}

}  // namespace larkfold

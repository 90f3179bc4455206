#include "preview/dat_input.h"

#include <algorithm>

#include "convert/block_pool.h"
#include "dat/dat_loader.h"
#include "dat/frame_preparation.h"

namespace larkfold {
namespace {

// Releases every pool block however the caller leaves, exceptions included.
struct PoolRelease {
  ~PoolRelease() { BlockPool::Request(0); }
};

// The largest amplitude before normalisation, found as the normaliser finds
// it (at least 1, over all eight channels of every frame).
std::int32_t LargestAmplitude(const void* block, std::int32_t length) {
  const std::int32_t frameCount = std::max(0, length / kDatRecordSize - 1);
  const auto* frames = static_cast<const DatFrame*>(block);
  std::int32_t largest = 1;
  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (const ChannelSample& sample : frames[i].channels) {
      largest = std::max(largest, sample.amplitude);
    }
  }
  return largest;
}

}  // namespace

DatInput LoadPreparedDat(const std::string& path) {
  PoolRelease release;
  DatInput input;
  void* block = nullptr;
  std::int32_t length = 0;
  input.result = LoadDatFile(path, 0, block, length);
  if (!input.result.empty()) {
    return input;
  }
  // Measured before preparation rewrites the amplitudes; only used once the
  // file has been accepted.
  const std::int32_t largest = LargestAmplitude(block, length);
  std::int32_t frameCount = 0;
  input.result = PrepareFrames(block, length, kChannelSlots, frameCount);
  if (!input.result.empty()) {
    return input;
  }
  input.largestAmplitude = largest;
  const auto* frames = static_cast<const DatFrame*>(block);
  input.frames.assign(frames, frames + frameCount);
  return input;
}

}  // namespace larkfold

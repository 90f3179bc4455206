// A VOI file (multi-byte fields little-endian; n channels, N output frames):
//
//   offset 0          1 byte    source type: 3 FM, 4 PCM
//   offset 1          1 byte    channel count n, 3 to 8
//   offset 2          2 bytes   output frame count N (its low 16 bits)
//   offset 4          2*n*N     frames in output order, n channel records each
//   offset 4 + 2*n*N  0-255     zero bytes up to a multiple of 256
//
// VoiImage is the static image in which the output stage builds that file.
#pragma once

#include <cstdint>

#include "convert/conversion_settings.h"
#include "voi/channel_record.h"

namespace larkfold {

class VoiImage {
 public:
  // 60000 frames of 8 channels of 2 bytes: room for the longest output and its tail.
  static constexpr std::int32_t kCapacity = 960000;

  // Stores the source type and channel count and starts the records at offset 4.
  static void Begin(SourceType sourceType, std::int32_t channelCount);

  // Stores one channel record at the write position.
  static void Append(ChannelRecord record);

  // Stores the frame count and 256 zero bytes after the records, and returns
  // the file length: header and records rounded up to a multiple of 256.
  static std::int32_t Finish(std::int32_t outputFrameCount);

  static const std::uint8_t* Data();
};

}  // namespace larkfold

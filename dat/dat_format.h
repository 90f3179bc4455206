// A DAT file: headerless 64-byte records of signed 32-bit little-endian
// integers. Every record but the last whole one is a frame of 1/60 s; the last
// whole record is the timing trailer. Bytes after it are ignored.
//
//   record (64 bytes)    8 x ChannelSample, channel c at byte 8 * c
//   ChannelSample        bytes 0-3 amplitude (linear, any scale; 0 is silence)
//                        bytes 4-7 frequency in tenths of a hertz (4400 = 440.0 Hz)
//   timing trailer       bytes 0-59 unused, bytes 60-63 frames per second (must be 60)
#pragma once

#include <bit>
#include <cstdint>

namespace larkfold {

static_assert(std::endian::native == std::endian::little,
              "a loaded DAT file is used in place, so the host must be little-endian");

struct ChannelSample {
  std::int32_t amplitude;
  std::int32_t frequency;
};

struct DatFrame {
  ChannelSample channels[8];
};

static_assert(sizeof(DatFrame) == 64);

inline constexpr std::int32_t kDatRecordSize = 64;
inline constexpr std::int32_t kDatRecordLimit = 36000;
inline constexpr std::int32_t kDatFrameRate = 60;
inline constexpr int kChannelSlots = 8;

// The longest file that can be valid: the record limit plus a partial record.
inline constexpr std::int64_t kLongestDatFile = std::int64_t{kDatRecordLimit} * kDatRecordSize + 63;

// Room of the static working tables, in frames.
inline constexpr int kTableFrames = 60000;

}  // namespace larkfold

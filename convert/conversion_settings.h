// The settings of one conversion and the checks made on them before anything
// is loaded.
#pragma once

#include <cstdint>
#include <string>

#include "convert/conversion_host.h"

namespace larkfold {

// The numeric value is also byte 0 of a VOI file.
enum class SourceType : std::int32_t { Fm = 3, Pcm = 4 };

// What the volume field shows when the program starts.
inline constexpr std::int32_t kInitialVolumePercent = 100;

struct ConversionSettings {
  SourceType sourceType = SourceType::Pcm;
  std::int32_t channelCount = 5;                       // 3 to 8
  double speedFactor = 1.0;                            // 0.9 to 1.1
  std::int32_t volumePercent = kInitialVolumePercent;  // 20 to 200
  std::string datPath;
};

// Reads and checks the settings from the host's controls, in a fixed order:
// the performance counter, source, channels, speed, volume, DAT path. The
// first value refused is reported with its warning and the result is false.
// A radio group with no button selected keeps the dialog's start-up choice
// (PCM, five channels).
bool ReadConversionSettings(ConversionHost& host, ConversionSettings& settings,
                            std::int64_t& counterFrequency);

}  // namespace larkfold

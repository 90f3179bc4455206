#include "convert/conversion_settings.h"

#include "convert/control_ids.h"
#include "convert/messages.h"
#include "convert/number_readers.h"
#include "convert/path_rules.h"
#include "platform/clock.h"

namespace larkfold {
namespace {

constexpr double kSlowestSpeed = 0.9;
constexpr double kFastestSpeed = 1.1;
constexpr std::int32_t kQuietestVolume = 20;
constexpr std::int32_t kLoudestVolume = 200;

bool Refuse(ConversionHost& host, std::string_view warning) {
  host.ShowMessage(warning, kMessageWarning);
  return false;
}

}  // namespace

bool ReadConversionSettings(ConversionHost& host, ConversionSettings& settings,
                            std::int64_t& counterFrequency) {
  std::int64_t frequency = 0;
  if (!ReadCounterFrequency(&frequency) || frequency == 0) {
    return Refuse(host, messages::kNoPerformanceCounter);
  }
  counterFrequency = frequency;

  // Every selected button of a group sets the value, so the last one wins.
  if (host.IsButtonChecked(IDC_SOURCE_FM)) {
    settings.sourceType = SourceType::Fm;
  }
  if (host.IsButtonChecked(IDC_SOURCE_PCM)) {
    settings.sourceType = SourceType::Pcm;
  }
  for (int channels = 3; channels <= 8; ++channels) {
    if (host.IsButtonChecked(IDC_CHANNELS_3 + channels - 3)) {
      settings.channelCount = channels;
    }
  }

  settings.speedFactor = ReadDecimalNumber(host.ControlText(IDC_SPEED));
  if (settings.speedFactor < kSlowestSpeed || settings.speedFactor > kFastestSpeed) {
    return Refuse(host, messages::kSpeedOutOfRange);
  }

  const std::int32_t volume = ReadDecimalInteger(host.ControlText(IDC_VOLUME));
  if (volume < kQuietestVolume || volume > kLoudestVolume) {
    return Refuse(host, messages::kVolumeOutOfRange);
  }
  settings.volumePercent = volume;

  settings.datPath = TrimTrailingWhiteSpace(host.ControlText(IDC_DAT_PATH));
  if (!EndsInDat(settings.datPath)) {
    return Refuse(host, messages::kNotDatFile);
  }
  return true;
}

}  // namespace larkfold

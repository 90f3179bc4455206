#include "preview/tracks.h"

#include "voi/record_decoding.h"

namespace larkfold {
namespace {

constexpr double kTenthsPerHertz = 10.0;
constexpr double kFullAmplitude = 65535.0;

}  // namespace

TrackSet TracksOfVoi(const VoiFile& file) {
  TrackSet tracks;
  tracks.channelCount = file.channelCount;
  tracks.frameCount = file.frameCount;
  tracks.points.reserve(file.records.size());
  for (const ChannelRecord& record : file.records) {
    const DecodedRecord decoded = DecodeRecord(file.sourceType, record);
    tracks.points.push_back(
        TrackPoint{decoded.hertz, decoded.gain, decoded.level, !decoded.silent});
  }
  return tracks;
}

TrackSet TracksOfDat(const std::vector<DatFrame>& frames) {
  TrackSet tracks;
  tracks.channelCount = kChannelSlots;
  tracks.frameCount = static_cast<int>(frames.size());
  tracks.points.reserve(frames.size() * kChannelSlots);
  for (const DatFrame& frame : frames) {
    for (const ChannelSample& sample : frame.channels) {
      const double gain = sample.amplitude > 0 ? sample.amplitude / kFullAmplitude : 0.0;
      tracks.points.push_back(
          TrackPoint{sample.frequency / kTenthsPerHertz, gain, -1, sample.amplitude > 0});
    }
  }
  return tracks;
}

}  // namespace larkfold

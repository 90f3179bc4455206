// What a preview plays and draws: for every 1/60 s frame and every channel a
// pitch and a loudness, taken from a VOI file's records or a DAT file's
// prepared channels.
#pragma once

#include <cstddef>
#include <vector>

#include "dat/dat_format.h"
#include "voi/voi_reader.h"

namespace larkfold {

struct TrackPoint {
  double hertz = 0.0;
  double gain = 0.0;  // linear amplitude, 1 the loudest the source has
  int level = -1;     // the record's level 0 to 15; -1 for a DAT channel
  bool sounding = false;
};

struct TrackSet {
  int channelCount = 0;
  int frameCount = 0;
  std::vector<TrackPoint> points;  // frame-major

  const TrackPoint& At(int frame, int channel) const {
    return points[static_cast<std::size_t>(frame) * channelCount + channel];
  }
};

// Each record decoded: its pitch and the gain of its level; the silent
// records (FM 00 00, PCM level 0) do not sound.
TrackSet TracksOfVoi(const VoiFile& file);

// The eight channels of every frame: frequency / 10 Hz, gain = normalised
// amplitude / 65535; a channel of amplitude 0 does not sound.
TrackSet TracksOfDat(const std::vector<DatFrame>& frames);

}  // namespace larkfold

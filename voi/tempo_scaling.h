// The output stage: copies the reordered frames into floating-point tables,
// realises the speed factor by dropping or repeating whole frames, and has each
// active channel of each output frame encoded into the VOI image.
#pragma once

#include <cstdint>

#include "convert/conversion_settings.h"
#include "dat/dat_format.h"

namespace larkfold {

// AmplitudeTable[i][j]: the normalised amplitude of slot j of frame i.
extern double AmplitudeTable[kTableFrames][kChannelSlots];
// FrequencyTable[i][j]: the frequency of slot j of frame i in hertz.
extern double FrequencyTable[kTableFrames][kChannelSlots];

// Clears both tables whole, then fills rows 0..frameCount-1, all eight slots.
void FillChannelTables(const DatFrame* frames, std::int32_t frameCount);

// What the accumulator gains per input frame: s - 1 above 1, 1 - 1/s below.
double TempoStep(double speedFactor);

// Calls emit(B) for each output frame in order, B being the input frame it
// shows. Returns the number of output frames.
template <typename Emit>
std::int32_t RunTempoLoop(std::int32_t frameCount, double speedFactor, Emit&& emit) {
  const double step = TempoStep(speedFactor);
  double accumulator = 0.0;
  int advance = 1;
  std::int32_t outputFrames = 0;
  for (std::int32_t b = 0; b < frameCount; ++b) {
    accumulator = static_cast<double>(advance) * step + accumulator;
    advance = 1;
    if (accumulator > 1.0) {  // drop frame b
      accumulator = accumulator - 1.0;
      advance = 0;
      continue;
    }
    emit(b);
    if (accumulator < -1.0) {  // show frame b once more on the next pass
      accumulator = accumulator + 1.0;
      advance = 0;
      --b;
    }
    ++outputFrames;
  }
  return outputFrames;
}

// Builds the whole VOI image for the settings and returns the file length.
std::int32_t EncodeFrames(const DatFrame* frames, std::int32_t frameCount,
                          const ConversionSettings& settings);

}  // namespace larkfold

// The preview synthesiser: one sine per channel at the frame's pitch and
// gain, phase-continuous from frame to frame, with a short linear ramp
// wherever a gain changes so that frame boundaries do not click. The mix is
// scaled once for the whole file so that it can never clip.
#pragma once

#include <cstdint>
#include <vector>

#include "preview/tracks.h"

namespace larkfold {

inline constexpr int kDefaultSampleRate = 44100;
inline constexpr int kLowestSampleRate = 8000;
inline constexpr int kHighestSampleRate = 192000;

class Synthesiser {
 public:
  // `tracks` must outlive the synthesiser.
  Synthesiser(const TrackSet& tracks, int sampleRate);

  // Samples of the whole render: every frame, then one ramp's length of fade-out.
  std::int64_t SampleCount() const;

  // Frames rendered so far, and in all.
  int FramesDone() const { return nextFrame_; }
  int FrameCount() const { return tracks_.frameCount; }
  bool Finished() const { return finished_; }

  // Appends the samples of the next frame (after the last frame, the
  // fade-out) to `out`, as 16-bit values.
  void RenderNextFrame(std::vector<std::int16_t>& out);

  // The factor from the sum of the channels' sines to full scale.
  double MixScale() const { return mixScale_; }

 private:
  struct Voice {
    double phase = 0.0;  // in cycles, 0 <= phase < 1
    double hertz = 0.0;
    double gain = 0.0;
  };

  void Render(std::int64_t samples, const std::vector<double>& targets,
              std::vector<std::int16_t>& out);
  std::int64_t FrameStart(int frame) const;

  const TrackSet& tracks_;
  int sampleRate_;
  int rampSamples_;
  double mixScale_ = 0.0;
  std::vector<Voice> voices_;
  int nextFrame_ = 0;
  bool finished_ = false;
};

}  // namespace larkfold

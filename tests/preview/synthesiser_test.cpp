// The synthesiser's promises beyond pitch and level (which the end-to-end
// tests measure in real WAV files): frames join without clicks, a channel
// fading out keeps its pitch, and the mix never clips.
#include "preview/synthesiser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace larkfold {
namespace {

constexpr int kRate = 44100;
constexpr int kFrameSamples = kRate / 60;

TrackSet Tracks(int channels, const std::vector<std::vector<TrackPoint>>& frames) {
  TrackSet tracks;
  tracks.channelCount = channels;
  tracks.frameCount = static_cast<int>(frames.size());
  for (const auto& frame : frames) {
    tracks.points.insert(tracks.points.end(), frame.begin(), frame.end());
  }
  return tracks;
}

TrackPoint Tone(double hertz, double gain = 1.0) {
  return TrackPoint{hertz, gain, 15, true};
}
TrackPoint Silent(double hertz = 0.0) {
  return TrackPoint{hertz, 0.0, 0, false};
}

std::vector<std::int16_t> RenderAll(const TrackSet& tracks, int rate = kRate) {
  Synthesiser synthesiser(tracks, rate);
  std::vector<std::int16_t> samples;
  while (!synthesiser.Finished()) {
    synthesiser.RenderNextFrame(samples);
  }
  EXPECT_EQ(static_cast<std::int64_t>(samples.size()), synthesiser.SampleCount());
  return samples;
}

// The largest step between neighbouring samples in [from, to).
int LargestStep(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
  int largest = 0;
  for (std::size_t i = std::max<std::size_t>(from, 1); i < to; ++i) {
    largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
  }
  return largest;
}

TEST(Synthesiser, FramesJoinWithoutClicks) {
  // A sine of peak P at f Hz moves at most 2 pi f P / rate per sample. Every
  // kind of frame boundary must stay within that (plus rounding): a phase
  // jump or an unramped level step would exceed it.
  const double hertz = 300.0;
  struct Case {
    std::vector<std::vector<TrackPoint>> frames;
    const char* why;
  };
  const Case cases[] = {
      {{{Tone(hertz)}, {Tone(hertz * 1.05)}, {Tone(hertz)}}, "pitch changes: the phase runs on"},
      {{{Tone(hertz)}, {Tone(hertz, 0.1)}, {Tone(hertz)}}, "level drops and rises: ramped"},
      {{{Tone(hertz)}, {Silent()}, {Tone(hertz)}}, "silence between two notes"},
      {{{Silent()}, {Tone(hertz)}}, "a note starts: ramped in"},
      {{{Tone(hertz)}}, "the file ends on a note: faded out"},
  };
  for (const Case& c : cases) {
    const std::vector<std::int16_t> samples = RenderAll(Tracks(1, c.frames));
    const double peak = 0.891 * 32767;
    const double limit = 2 * 3.14159265 * hertz * 1.05 * peak / kRate + 2;
    EXPECT_LE(LargestStep(samples, 0, samples.size()), limit) << c.why;
    EXPECT_EQ(samples.front(), 0) << c.why;
    EXPECT_LE(std::abs(samples.back()), 2 * limit) << c.why;
  }
}

TEST(Synthesiser, AChannelFallingSilentFadesAtItsOwnPitch) {
  // The PCM silent record FF F0 holds the step 4095, about 7849 Hz; a fade
  // that took that pitch would chirp. Count zero crossings in the fade.
  const TrackSet tracks = Tracks(1, {{Tone(200.0)}, {Silent(7849.0)}, {Silent(7849.0)}});
  const std::vector<std::int16_t> samples = RenderAll(tracks);
  const std::size_t fadeStart = kFrameSamples;
  const std::size_t fadeEnd = fadeStart + kRate / 200;  // the 5 ms ramp
  int crossings = 0;
  for (std::size_t i = fadeStart + 1; i < fadeEnd; ++i) {
    crossings += (samples[i - 1] < 0) != (samples[i] < 0);
  }
  EXPECT_LE(crossings, 3);  // 200 Hz for 5 ms: two crossings; 7849 Hz would give about 78
  for (std::size_t i = fadeEnd; i < samples.size(); ++i) {
    ASSERT_EQ(samples[i], 0) << "sample " << i;
  }
}

TEST(Synthesiser, TheMixOfEveryChannelAtFullLevelDoesNotClip) {
  // Eight loud channels in phase at the start: the scale must allow for all of them.
  std::vector<TrackPoint> loud(8, Tone(441.0));
  const std::vector<std::int16_t> samples = RenderAll(Tracks(8, {loud, loud, loud}));
  const int peak = *std::max_element(samples.begin(), samples.end(),
                                     [](auto a, auto b) { return std::abs(a) < std::abs(b); });
  EXPECT_LT(std::abs(peak), 32767);
  EXPECT_GT(std::abs(peak), 0.85 * 32767);  // and in phase they do reach the top
}

TEST(Synthesiser, PitchesTheRateCannotCarryAreSilent) {
  // 0 Hz would be a constant offset and 30 kHz an alias at 44.1 kHz.
  for (const double hertz : {0.0, -50.0, 22050.0, 30000.0}) {
    const std::vector<std::int16_t> samples =
        RenderAll(Tracks(3, {{Tone(hertz), Silent(), Silent()}}));
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](auto s) { return s == 0; }))
        << hertz << " Hz";
  }
}

TEST(Synthesiser, EveryFrameTakesItsShareOfTheRate) {
  // At 44.1 kHz a frame is 735 samples; at 8 kHz frames are 133 or 134
  // samples and must add up without drift.
  const TrackSet tracks = Tracks(1, std::vector<std::vector<TrackPoint>>(120, {Tone(100.0)}));
  EXPECT_EQ(Synthesiser(tracks, 44100).SampleCount(), 120 * 735 + 221);
  EXPECT_EQ(Synthesiser(tracks, 8000).SampleCount(), 16000 + 40);
}

}  // namespace
}  // namespace larkfold

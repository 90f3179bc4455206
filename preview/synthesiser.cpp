#include "preview/synthesiser.h"

#include <algorithm>
#include <cmath>

namespace larkfold {
namespace {

constexpr int kFramesPerSecond = 60;
constexpr double kRampSeconds = 0.005;
constexpr double kHeadroom = 0.891;  // the loudest possible sum peaks at -1 dBFS
constexpr double kTwoPi = 6.283185307179586;

// A channel sounds only at a pitch the sample rate can carry; a record at
// 0 Hz or above the Nyquist frequency is played as silence rather than as a
// constant offset or an alias.
bool Audible(const TrackPoint& point, int sampleRate) {
  return point.sounding && point.gain > 0.0 && point.hertz > 0.0 && point.hertz < sampleRate / 2.0;
}

}  // namespace

Synthesiser::Synthesiser(const TrackSet& tracks, int sampleRate)
    : tracks_(tracks),
      sampleRate_(sampleRate),
      rampSamples_(std::max(1, static_cast<int>(std::lround(sampleRate * kRampSeconds)))),
      voices_(static_cast<std::size_t>(tracks.channelCount)) {
  // Every voice's gain moves from one frame's value to the next along the
  // same ramp, so the sum of the gains never exceeds the largest sum of a
  // frame, which therefore bounds the mix.
  double loudest = 0.0;
  for (int f = 0; f < tracks.frameCount; ++f) {
    double sum = 0.0;
    for (int c = 0; c < tracks.channelCount; ++c) {
      const TrackPoint& point = tracks.At(f, c);
      if (Audible(point, sampleRate)) {
        sum += point.gain;
      }
    }
    loudest = std::max(loudest, sum);
  }
  mixScale_ = loudest > 0.0 ? kHeadroom / loudest : 0.0;
}

std::int64_t Synthesiser::FrameStart(int frame) const {
  return std::int64_t{frame} * sampleRate_ / kFramesPerSecond;
}

std::int64_t Synthesiser::SampleCount() const {
  return FrameStart(tracks_.frameCount) + rampSamples_;
}

void Synthesiser::RenderNextFrame(std::vector<std::int16_t>& out) {
  if (finished_) {
    return;
  }
  std::vector<double> targets(voices_.size(), 0.0);
  if (nextFrame_ == tracks_.frameCount) {
    Render(rampSamples_, targets, out);
    finished_ = true;
    return;
  }
  for (std::size_t c = 0; c < voices_.size(); ++c) {
    const TrackPoint& point = tracks_.At(nextFrame_, static_cast<int>(c));
    if (Audible(point, sampleRate_)) {
      targets[c] = point.gain;
      voices_[c].hertz = point.hertz;
    }
    // A voice falling silent keeps its last pitch while it fades: a silent
    // record's own pitch (0 Hz, or the PCM step 4095) means nothing.
  }
  Render(FrameStart(nextFrame_ + 1) - FrameStart(nextFrame_), targets, out);
  ++nextFrame_;
}

void Synthesiser::Render(std::int64_t samples, const std::vector<double>& targets,
                         std::vector<std::int16_t>& out) {
  std::vector<double> from(voices_.size());
  for (std::size_t c = 0; c < voices_.size(); ++c) {
    from[c] = voices_[c].gain;
  }
  const std::int64_t ramp = std::min<std::int64_t>(rampSamples_, samples);
  for (std::int64_t i = 0; i < samples; ++i) {
    const double along = i < ramp ? static_cast<double>(i + 1) / static_cast<double>(ramp) : 1.0;
    double mix = 0.0;
    for (std::size_t c = 0; c < voices_.size(); ++c) {
      Voice& voice = voices_[c];
      voice.gain = from[c] + (targets[c] - from[c]) * along;
      if (voice.gain > 0.0) {
        mix += voice.gain * std::sin(kTwoPi * voice.phase);
      }
      voice.phase += voice.hertz / sampleRate_;
      voice.phase -= std::floor(voice.phase);
    }
    const double scaled = std::clamp(mix * mixScale_ * 32767.0, -32767.0, 32767.0);
    out.push_back(static_cast<std::int16_t>(std::lround(scaled)));
  }
}

}  // namespace larkfold

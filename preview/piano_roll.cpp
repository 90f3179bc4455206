#include "preview/piano_roll.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "preview/summaries.h"
#include "voi/record_decoding.h"

namespace larkfold {
namespace {

constexpr const char* kChannelColours[8] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e",
                                            "#9467bd", "#17becf", "#e377c2", "#8c564b"};

// MIDI note numbers: 69 is 440 Hz, twelve to the octave.
double NoteOf(double hertz) {
  return 69.0 + 12.0 * std::log2(hertz / 440.0);
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g s", seconds);
  return text;
}

// The first tick spacing from this list that gives at most 12 ticks.
double TickSpacing(double seconds) {
  for (const double spacing : {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 30.0, 60.0, 120.0}) {
    if (seconds / spacing <= 12.0) {
      return spacing;
    }
  }
  return 300.0;
}

}  // namespace

double LevelOpacity(int level) {
  return 0.2 + 0.8 * std::clamp(level, 0, 15) / 15.0;
}

std::string NoteName(int note) {
  static const char* const kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
  const int octave = note >= 0 ? note / 12 - 1 : (note - 11) / 12 - 1;
  return kNames[((note % 12) + 12) % 12] + std::to_string(octave);
}

PianoRoll BuildPianoRoll(const std::vector<DatFrame>& input, const VoiFile& output,
                         const std::string& title, const std::string& subtitle) {
  PianoRoll roll;
  roll.title = title;
  roll.subtitle = subtitle;

  const int inputFrames = static_cast<int>(input.size());
  const int outputFrames = output.frameCount;
  // Input frames in output frames: the speed factor, as far as the files tell it.
  const double stretch =
      inputFrames > 0 && outputFrames > 0 ? static_cast<double>(outputFrames) / inputFrames : 1.0;
  const double frames = std::max({1.0, static_cast<double>(outputFrames), inputFrames * stretch});

  // The pitch range: every note drawn, a little room above and below.
  double lowNote = 1e9;
  double highNote = -1e9;
  auto include = [&](double hertz) {
    const double note = NoteOf(hertz);
    lowNote = std::min(lowNote, note);
    highNote = std::max(highNote, note);
  };
  for (const DatFrame& frame : input) {
    for (const ChannelSample& sample : frame.channels) {
      if (IsSounding(sample) && sample.frequency > 0) {
        include(sample.frequency / 10.0);
      }
    }
  }
  for (const ChannelRecord& record : output.records) {
    const DecodedRecord decoded = DecodeRecord(output.sourceType, record);
    if (!decoded.silent && decoded.hertz > 0.0) {
      include(decoded.hertz);
    }
  }
  if (lowNote > highNote) {
    lowNote = 48.0;  // nothing sounds: C3 to C6
    highNote = 84.0;
  }
  lowNote = std::floor(lowNote) - 2.0;
  highNote = std::ceil(highNote) + 2.0;

  const double plotWidth = roll.right - roll.left;
  const double plotHeight = roll.bottom - roll.top;
  auto x = [&](double frame) { return roll.left + frame / frames * plotWidth; };
  auto y = [&](double hertz) {
    return roll.bottom - (NoteOf(hertz) - lowNote) / (highNote - lowNote) * plotHeight;
  };

  const bool everyNote = highNote - lowNote < 16.0;
  for (int note = static_cast<int>(lowNote); note <= static_cast<int>(highNote); ++note) {
    const bool labelled = everyNote || note % 12 == 0;
    if (labelled) {
      const double lineY = roll.bottom - (note - lowNote) / (highNote - lowNote) * plotHeight;
      roll.pitchLines.push_back(PitchLine{lineY, NoteName(note)});
    }
  }

  const double seconds = frames / kFramesPerSecond;
  const double spacing = TickSpacing(seconds);
  for (int i = 0; i * spacing <= seconds + 1e-9; ++i) {
    roll.timeTicks.push_back(
        TimeTick{x(i * spacing * kFramesPerSecond), Seconds(std::round(i * spacing * 10) / 10)});
  }

  for (int b = 0; b < inputFrames; ++b) {
    for (const ChannelSample& sample : input[static_cast<std::size_t>(b)].channels) {
      if (IsSounding(sample) && sample.frequency > 0) {
        roll.input.push_back(
            InputDash{x(b * stretch), x((b + 1) * stretch), y(sample.frequency / 10.0)});
      }
    }
  }

  for (int k = 0; k < output.channelCount; ++k) {
    ChannelLine line{k, kChannelColours[k % 8], {}};
    bool previousSounded = false;
    for (int f = 0; f < outputFrames; ++f) {
      const DecodedRecord decoded = DecodeRecord(output.sourceType, output.Record(f, k));
      const bool sounds = !decoded.silent && decoded.hertz > 0.0;
      if (sounds) {
        line.steps.push_back(ChannelStep{x(f), x(f + 1), y(decoded.hertz),
                                         LevelOpacity(decoded.level), previousSounded});
      }
      previousSounded = sounds;
    }
    roll.channels.push_back(std::move(line));
  }
  return roll;
}

}  // namespace larkfold

// The picture `plot` draws, as geometry: time across, pitch on a logarithmic
// scale up, the input channels as light grey dashes (one per sounding frame),
// and each output channel as a coloured step line whose opacity follows the
// record's level. The SVG and PNG writers only draw what is here.
#pragma once

#include <string>
#include <vector>

#include "dat/dat_format.h"
#include "voi/voi_reader.h"

namespace larkfold {

struct PitchLine {
  double y;
  std::string label;  // the note's name, as "C4"; empty for an unlabelled line
};

struct TimeTick {
  double x;
  std::string label;  // seconds
};

struct InputDash {
  double x0, x1, y;
};

// One sounding frame of an output channel: a level step from x0 to x1 at y.
struct ChannelStep {
  double x0, x1, y;
  double opacity;
  bool joinsPrevious;  // the frame before also sounded: a vertical joins the two
};

struct ChannelLine {
  int channel;
  std::string colour;
  std::vector<ChannelStep> steps;
};

struct PianoRoll {
  double width = 1200.0, height = 640.0;
  double left = 64.0, top = 56.0, right = 1060.0, bottom = 590.0;  // the plot area
  std::string title;
  std::string subtitle;
  std::vector<PitchLine> pitchLines;
  std::vector<TimeTick> timeTicks;
  std::vector<InputDash> input;
  std::vector<ChannelLine> channels;
};

// `input` is the prepared DAT (sounding channels: normalised amplitude of 1024
// or more), drawn stretched to the output's length so that the two line up
// whatever the speed factor was.
PianoRoll BuildPianoRoll(const std::vector<DatFrame>& input, const VoiFile& output,
                         const std::string& title, const std::string& subtitle);

// The opacity of a sounding record's level: faint at level 0, solid at 15.
double LevelOpacity(int level);

// The name of a MIDI note: 60 is "C4", 61 "C#4".
std::string NoteName(int note);

}  // namespace larkfold

// The piano roll as SVG: well-formed, one path per output channel, with the
// opacity of each level carried by the channel's gradient.
#include "preview/svg_plot.h"

#include <gtest/gtest.h>

#include "tests/support/xml_check.h"

namespace larkfold {
namespace {

using testing::CheckXml;
using testing::XmlCheck;

VoiFile Voi(int channels, const std::vector<std::vector<ChannelRecord>>& frames) {
  VoiFile file;
  file.sourceType = SourceType::Fm;
  file.channelCount = channels;
  file.frameCount = static_cast<int>(frames.size());
  for (const auto& frame : frames) {
    file.records.insert(file.records.end(), frame.begin(), frame.end());
  }
  return file;
}

TEST(PianoRollSvg, IsWellFormedWithOnePathPerOutputChannel) {
  DatFrame frame = {};
  frame.channels[0] = {65535, 4400};
  frame.channels[1] = {500, 8800};  // quiet: not drawn
  const std::vector<DatFrame> input(4, frame);
  const ChannelRecord a440{0x22, 0x7F};  // level 15
  const ChannelRecord a440quiet{0x22, 0x73};
  const ChannelRecord silent{0x00, 0x00};
  const VoiFile output = Voi(5, {{a440, silent, silent, silent, silent},
                                 {a440quiet, silent, silent, silent, silent},
                                 {silent, silent, silent, silent, silent},
                                 {a440, a440, silent, silent, silent}});
  const std::string svg =
      PianoRollSvg(BuildPianoRoll(input, output, "<a & b>.dat", "FM, 5 \"channels\""));
  const XmlCheck check = CheckXml(svg);
  ASSERT_EQ(check.error, "") << svg;

  int channelPaths = 0;
  int inputPaths = 0;
  std::vector<std::string> opacities;
  for (const auto& [name, attributes] : check.tags) {
    if (name == "path" && attributes.at("class") == "channel") {
      EXPECT_EQ(attributes.at("data-channel"), std::to_string(channelPaths));
      EXPECT_EQ(attributes.at("stroke"), "url(#levels" + std::to_string(channelPaths) + ")");
      ++channelPaths;
    }
    if (name == "path" && attributes.at("class") == "input") {
      ++inputPaths;
      // Four frames of one sounding input channel: four dashes.
      const std::string& d = attributes.at("d");
      EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 4) << d;
    }
    if (name == "stop" && opacities.size() < 3) {
      opacities.push_back(attributes.at("stop-opacity"));
    }
  }
  EXPECT_EQ(channelPaths, 5) << "silent channels still get their path";
  EXPECT_EQ(inputPaths, 1);
  EXPECT_EQ(check.elements.at("linearGradient"), 5);
  // Channel 0 steps from level 15 to level 3: solid, then fainter.
  EXPECT_EQ(opacities, (std::vector<std::string>{"1.000", "1.000", "0.360"}));
  EXPECT_NE(svg.find("&lt;a &amp; b&gt;.dat"), std::string::npos);
}

TEST(PianoRollSvg, NamesTheNotesOnThePitchAxis) {
  struct Case {
    int note;
    const char* name;
  };
  const Case cases[] = {{60, "C4"}, {69, "A4"}, {61, "C#4"}, {0, "C-1"}, {24, "C1"}, {127, "G9"}};
  for (const Case& c : cases) {
    EXPECT_EQ(NoteName(c.note), c.name);
  }
  // A roll around 440 Hz is labelled with the notes near it.
  DatFrame frame = {};
  frame.channels[0] = {65535, 4400};
  const PianoRoll roll = BuildPianoRoll({frame}, Voi(3, {{{0x22, 0x7F}, {0, 0}, {0, 0}}}), "", "");
  bool a4 = false;
  for (const PitchLine& line : roll.pitchLines) {
    a4 = a4 || line.label == "A4";
  }
  EXPECT_TRUE(a4);
}

}  // namespace
}  // namespace larkfold

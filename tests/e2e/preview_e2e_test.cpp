// inspect, render and plot as a user meets them: real files in, real WAV and
// SVG files out, measured and parsed the way a listener's or a browser's
// tools would read them.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

#include "tests/e2e/e2e_support.h"
#include "tests/support/mini_json.h"
#include "tests/support/xml_check.h"

namespace larkfold::e2e {
namespace {

using Record = std::pair<std::uint8_t, std::uint8_t>;

constexpr int kFm = 3;
constexpr int kPcm = 4;

// Records as the two sound sources lay them out.
Record Fm(int fNumber, int block, int level) {
  return {static_cast<std::uint8_t>(fNumber & 0xFF),
          static_cast<std::uint8_t>(block << 5 | (fNumber >> 8) << 4 | level)};
}
Record Pcm(int step, int level) {
  return {static_cast<std::uint8_t>(step & 0xFF),
          static_cast<std::uint8_t>((step >> 8) << 4 | level)};
}
const Record kFmSilent{0x00, 0x00};
const Record kPcmSilent{0xFF, 0xF0};

// What the records stand for, written out here from the sources' clocks.
double FmHertz(int fNumber, int block) {
  return fNumber * std::pow(2.0, block) * 3579545.0 / (72.0 * 262144.0);
}
double PcmHertz(int step) {
  return step * 15700.0 / 8192.0;
}

// A whole VOI file: header, records, zero bytes up to a multiple of 256.
std::string VoiBytes(int source, int channels, const std::vector<std::vector<Record>>& frames) {
  std::string bytes = {static_cast<char>(source), static_cast<char>(channels),
                       static_cast<char>(frames.size() & 0xFF),
                       static_cast<char>(frames.size() >> 8)};
  for (const auto& frame : frames) {
    for (const Record& record : frame) {
      bytes += static_cast<char>(record.first);
      bytes += static_cast<char>(record.second);
    }
  }
  bytes.resize((bytes.size() + 255) / 256 * 256, '\0');
  return bytes;
}

// `count` frames in which channel 1 of three holds `tone` and the others are silent.
std::vector<std::vector<Record>> OneChannel(Record tone, Record silent, int count) {
  return std::vector<std::vector<Record>>(static_cast<std::size_t>(count), {silent, tone, silent});
}

struct Wav {
  int rate = 0;
  std::vector<std::int16_t> samples;
};

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// Reads a WAV file, holding it to 16-bit mono PCM with consistent sizes.
Wav ReadWav(const std::string& path) {
  const std::string bytes = ReadFile(path);
  Wav wav;
  EXPECT_GE(bytes.size(), 44u);
  if (bytes.size() < 44)
    return wav;
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(Little(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Little(bytes, 20, 2), 1u) << "integer PCM";
  EXPECT_EQ(Little(bytes, 22, 2), 1u) << "mono";
  EXPECT_EQ(Little(bytes, 34, 2), 16u) << "16 bits";
  wav.rate = static_cast<int>(Little(bytes, 24, 4));
  EXPECT_EQ(Little(bytes, 28, 4), static_cast<std::uint32_t>(wav.rate) * 2);
  EXPECT_EQ(bytes.substr(36, 4), "data");
  EXPECT_EQ(Little(bytes, 40, 4), bytes.size() - 44);
  wav.samples.resize((bytes.size() - 44) / 2);
  std::memcpy(wav.samples.data(), bytes.data() + 44, wav.samples.size() * 2);
  return wav;
}

// The frequency of the samples of frames [first, last), from the times of
// their rising zero crossings, each placed between its two samples.
double MeasuredHertz(const Wav& wav, int first, int last) {
  const std::size_t from = static_cast<std::size_t>(first) * wav.rate / 60;
  const std::size_t to = static_cast<std::size_t>(last) * wav.rate / 60;
  double firstCrossing = -1.0;
  double lastCrossing = -1.0;
  int crossings = 0;
  for (std::size_t i = from + 1; i < to; ++i) {
    const double a = wav.samples[i - 1];
    const double b = wav.samples[i];
    if (a < 0 && b >= 0) {
      const double at = static_cast<double>(i - 1) + a / (a - b);
      if (firstCrossing < 0)
        firstCrossing = at;
      lastCrossing = at;
      ++crossings;
    }
  }
  if (crossings < 2)
    return 0.0;
  return (crossings - 1) / ((lastCrossing - firstCrossing) / wav.rate);
}

// The largest magnitude among the samples of frames [first, last).
int Peak(const Wav& wav, int first, int last) {
  int peak = 0;
  for (std::size_t i = static_cast<std::size_t>(first) * wav.rate / 60;
       i < static_cast<std::size_t>(last) * wav.rate / 60; ++i)
    peak = std::max(peak, std::abs(static_cast<int>(wav.samples[i])));
  return peak;
}

std::vector<std::string> SortedEntries(const std::string& folder) {
  std::vector<std::string> entries = FolderEntries(folder);
  std::sort(entries.begin(), entries.end());
  return entries;
}

// A DAT file of `frames` frames of eight partials that glide through each
// other, so that the converter's matching has work to do.
std::string GlidingDat(int frames) {
  std::string bytes(static_cast<std::size_t>(frames + 1) * 64, '\0');
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < 8; ++c) {
      const std::int32_t amplitude = 2000 + 3000 * ((c + i / 7) % 8);
      const std::int32_t frequency =
          static_cast<std::int32_t>(1000.0 * (1 + c) * std::pow(2.0, (c % 2 ? 1 : -1) * i / 90.0));
      std::memcpy(&bytes[static_cast<std::size_t>(i) * 64 + c * 8], &amplitude, 4);
      std::memcpy(&bytes[static_cast<std::size_t>(i) * 64 + c * 8 + 4], &frequency, 4);
    }
  }
  const std::int32_t rate = 60;
  std::memcpy(&bytes[static_cast<std::size_t>(frames) * 64 + 60], &rate, 4);
  return bytes;
}

TEST(Render, TheMeasuredFrequencyIsTheRecordsWithinOnePercent) {
  struct Case {
    int source;
    Record tone;
    double hertz;
    int rate;
    const char* why;
  };
  const Case cases[] = {
      {kFm, Fm(400, 0, 15), FmHertz(400, 0), 44100, "FM block 0, about 76 Hz"},
      {kFm, Fm(300, 2, 15), FmHertz(300, 2), 44100, "FM block 2, about 228 Hz"},
      {kFm, Fm(290, 3, 15), FmHertz(290, 3), 44100, "FM block 3: the 440 Hz record 22 7F"},
      {kFm, Fm(511, 5, 12), FmHertz(511, 5), 44100, "FM block 5, F-number bit 8 set"},
      {kFm, Fm(300, 7, 15), FmHertz(300, 7), 44100, "FM block 7, about 7.3 kHz"},
      {kFm, Fm(290, 3, 0), FmHertz(290, 3), 44100, "FM level 0 still sounds"},
      {kFm, Fm(290, 3, 15), FmHertz(290, 3), 8000, "a low sample rate"},
      {kPcm, Pcm(29, 15), PcmHertz(29), 44100, "PCM lowest step, about 56 Hz"},
      {kPcm, Pcm(230, 15), PcmHertz(230), 44100, "PCM 440 Hz: the record E6 0F"},
      {kPcm, Pcm(2087, 9), PcmHertz(2087), 44100, "PCM step 2087, about 4 kHz"},
      {kPcm, Pcm(4000, 15), PcmHertz(4000), 96000, "PCM near the top, at 96 kHz"},
  };
  TemporaryFolder folder;
  for (const Case& c : cases) {
    const Record silent = c.source == kFm ? kFmSilent : kPcmSilent;
    WriteFile(folder / "tone.voi", VoiBytes(c.source, 3, OneChannel(c.tone, silent, 60)));
    const Outcome outcome = RunTool({"render", folder / "tone.voi", "-o", folder / "tone.wav",
                                     "--rate", std::to_string(c.rate)});
    ASSERT_EQ(outcome.status, 0) << c.why << ": " << outcome.err;
    const Wav wav = ReadWav(folder / "tone.wav");
    EXPECT_EQ(wav.rate, c.rate);
    EXPECT_NEAR(MeasuredHertz(wav, 2, 58), c.hertz, c.hertz * 0.01) << c.why;
  }
}

TEST(Render, LevelStepsGiveTheirAmplitudeRatios) {
  struct Case {
    int source;
    std::vector<Record> steps;   // each held for 20 frames
    std::vector<double> ratios;  // to the first step's amplitude
    const char* why;
  };
  const Case cases[] = {
      {kFm,
       {Fm(290, 3, 15), Fm(290, 3, 13), Fm(290, 3, 9), Fm(290, 3, 14), Fm(290, 3, 1)},
       {1.0, 0.5, 0.125, std::sqrt(0.5), std::pow(2.0, -7)},
       "FM: half an octave of amplitude (3 dB) per level"},
      {kPcm,
       {Pcm(230, 15), Pcm(230, 14), Pcm(230, 10), Pcm(230, 12), Pcm(230, 1)},
       {1.0, 1 / 1.3, std::pow(1.3, -5), std::pow(1.3, -3), std::pow(1.3, -14)},
       "PCM: a factor 1.3 per level"},
  };
  TemporaryFolder folder;
  for (const Case& c : cases) {
    const Record silent = c.source == kFm ? kFmSilent : kPcmSilent;
    std::vector<std::vector<Record>> frames;
    for (const Record& step : c.steps) {
      const auto held = OneChannel(step, silent, 20);
      frames.insert(frames.end(), held.begin(), held.end());
    }
    WriteFile(folder / "levels.voi", VoiBytes(c.source, 3, frames));
    const Outcome outcome = RunTool({"render", folder / "levels.voi", "-o", folder / "levels.wav"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Wav wav = ReadWav(folder / "levels.wav");
    // Away from the ramps at the changes: frames 2 to 19 of each step.
    const double loudest = Peak(wav, 2, 20);
    EXPECT_GT(loudest, 0.85 * 32767) << "the loudest frame is scaled up to the top";
    EXPECT_LT(loudest, 32767) << "and not clipped";
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const int first = static_cast<int>(i) * 20;
      const double ratio = Peak(wav, first + 2, first + 20) / loudest;
      EXPECT_NEAR(ratio, c.ratios[i], c.ratios[i] * 0.05) << c.why << ", step " << i;
    }
  }
}

TEST(Render, SilentRecordsRenderSilence) {
  struct Case {
    int source;
    std::vector<std::vector<Record>> frames;
    const char* why;
  };
  const Case cases[] = {
      {kFm, OneChannel(kFmSilent, kFmSilent, 30), "FM 00 00 everywhere"},
      {kPcm, OneChannel(kPcmSilent, kPcmSilent, 30), "PCM FF F0 everywhere"},
      {kPcm, OneChannel(Pcm(230, 0), Pcm(29, 0), 30), "any PCM record of level 0"},
      {kFm, {}, "no frames at all"},
  };
  TemporaryFolder folder;
  for (const Case& c : cases) {
    WriteFile(folder / "quiet.voi", VoiBytes(c.source, 3, c.frames));
    const Outcome outcome = RunTool({"render", folder / "quiet.voi", "-o", folder / "quiet.wav"});
    ASSERT_EQ(outcome.status, 0) << c.why << ": " << outcome.err;
    const Wav wav = ReadWav(folder / "quiet.wav");
    EXPECT_GE(wav.samples.size(), c.frames.size() * 735) << c.why;
    EXPECT_TRUE(std::all_of(wav.samples.begin(), wav.samples.end(), [](auto s) { return s == 0; }))
        << c.why;
  }

  // Between two notes, a silent frame is silent once the first note has faded.
  std::vector<std::vector<Record>> frames = OneChannel(Fm(290, 3, 15), kFmSilent, 10);
  const auto gap = OneChannel(kFmSilent, kFmSilent, 10);
  frames.insert(frames.end(), gap.begin(), gap.end());
  const auto again = OneChannel(Fm(290, 3, 15), kFmSilent, 10);
  frames.insert(frames.end(), again.begin(), again.end());
  WriteFile(folder / "gap.voi", VoiBytes(kFm, 3, frames));
  ASSERT_EQ(RunTool({"render", folder / "gap.voi", "-o", folder / "gap.wav"}).status, 0);
  const Wav wav = ReadWav(folder / "gap.wav");
  EXPECT_EQ(Peak(wav, 11, 20), 0);
  EXPECT_GT(Peak(wav, 21, 30), 0);
}

TEST(Render, ADamagedVoiIsReportedAndNotRendered) {
  const std::string good =
      VoiBytes(kFm, 3, OneChannel(Fm(290, 3, 15), kFmSilent, 60));  // 512 bytes
  struct Case {
    std::string bytes;
    const char* reason;
  };
  std::string tail = good;
  tail[400] = 1;
  std::string source = good;
  source[0] = 7;
  const Case cases[] = {
      {good + std::string(100, '\0'), "make a file of 512 bytes"},
      {good.substr(0, 256), "cut short"},
      {tail, "byte 400"},
      {source, "source type"},
      {"", "shorter than the 4-byte header"},
  };
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(60));
  WriteFile(folder / "out.wav", "an earlier render");
  for (const Case& c : cases) {
    WriteFile(folder / "bad.voi", c.bytes);
    const Outcome render = RunTool({"render", folder / "bad.voi", "-o", folder / "out.wav"});
    EXPECT_EQ(render.status, 1) << c.reason;
    EXPECT_NE(render.err.find("damaged VOI file"), std::string::npos) << render.err;
    EXPECT_NE(render.err.find(c.reason), std::string::npos) << render.err;
    EXPECT_EQ(ReadFile(folder / "out.wav"), "an earlier render");

    const Outcome inspect = RunTool({"inspect", folder / "bad.voi"});
    EXPECT_EQ(inspect.status, 1);
    EXPECT_NE(inspect.err.find(c.reason), std::string::npos) << inspect.err;

    const Outcome plot =
        RunTool({"plot", folder / "song.dat", "--voi", folder / "bad.voi", "-o", folder / "p.svg"});
    EXPECT_EQ(plot.status, 1);
    EXPECT_NE(plot.err.find(c.reason), std::string::npos) << plot.err;
  }
  EXPECT_EQ(SortedEntries(folder.path()),
            (std::vector<std::string>{"bad.voi", "out.wav", "song.dat"}))
      << "no picture, no temporary file";
}

TEST(Render, ADatRendersItsInputAndTheConversionItWouldGet) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(120));
  const Outcome converted =
      RunTool({"render", folder / "song.dat", "--converted", "--source", "fm", "--channels", "4",
               "--speed", "0.95", "-o", folder / "fly.wav"});
  ASSERT_EQ(converted.status, 0) << converted.err;
  EXPECT_FALSE(Exists(folder / "song.voi")) << "nothing written next to the DAT file";

  ASSERT_EQ(RunTool({"convert", folder / "song.dat", "--source", "fm", "--channels", "4", "--speed",
                     "0.95"})
                .status,
            0);
  ASSERT_EQ(RunTool({"render", folder / "song.voi", "-o", folder / "file.wav"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "fly.wav"), ReadFile(folder / "file.wav"))
      << "the conversion on the fly is the one convert writes";

  // The input: 60 frames of channel 3 at 440.0 Hz, amplitude on any scale.
  std::string dat(61 * 64, '\0');
  const std::int32_t amplitude = 123, frequency = 4400, rate = 60;
  for (std::size_t frame = 0; frame < 60; ++frame) {
    std::memcpy(&dat[frame * 64 + 24], &amplitude, 4);
    std::memcpy(&dat[frame * 64 + 28], &frequency, 4);
  }
  std::memcpy(&dat[60 * 64 + 60], &rate, 4);
  WriteFile(folder / "a440.dat", dat);
  ASSERT_EQ(RunTool({"render", folder / "a440.dat", "-o", folder / "a440.wav"}).status, 0);
  EXPECT_NEAR(MeasuredHertz(ReadWav(folder / "a440.wav"), 2, 58), 440.0, 4.4);
}

TEST(Render, CtrlCStopsALongRenderAndLeavesNoFile) {
  // The longest VOI file there can be (8 channels, 39998 frames: 11 minutes)
  // at 192 kHz takes many seconds to render.
  TemporaryFolder folder;
  std::vector<std::vector<Record>> frames(39998, std::vector<Record>(8, Fm(290, 3, 15)));
  WriteFile(folder / "long.voi", VoiBytes(kFm, 8, frames));
  WriteFile(folder / "long.wav", "an earlier render");
  RunOptions options;
  options.whileRunning = [](int pid) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::kill(pid, SIGINT);
  };
  const auto start = std::chrono::steady_clock::now();
  const Outcome outcome = RunTool(
      {"render", folder / "long.voi", "-o", folder / "long.wav", "--rate", "192000"}, options);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(outcome.status, 130);
  EXPECT_EQ(outcome.err, "中止しました\n");
  EXPECT_EQ(ReadFile(folder / "long.wav"), "an earlier render");
  EXPECT_EQ(SortedEntries(folder.path()), (std::vector<std::string>{"long.voi", "long.wav"}))
      << "no temporary file left behind";
}

TEST(Inspect, JsonParsesAndCarriesTheDocumentedFields) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(90));
  ASSERT_EQ(RunTool({"convert", folder / "song.dat", "-s", "pcm", "-c", "6"}).status, 0);
  WriteFile(folder / "torn.voi", ReadFile(folder / "song.voi").substr(0, 500));
  const Outcome outcome = RunTool({"inspect", folder / "song.dat", folder / "song.voi",
                                   folder / "torn.voi", "--format", "json", "--frames", "10:12"});
  EXPECT_EQ(outcome.status, 1) << "one file is damaged";
  const testing::Json report = testing::JsonReader::Parse(outcome.out);
  EXPECT_EQ(report["schema"].string, "larkfold-inspect/1");
  const auto& files = report["files"].array;
  ASSERT_EQ(files.size(), 3u);

  const auto& dat = files[0];
  EXPECT_EQ(dat["kind"].string, "dat");
  EXPECT_EQ(dat["frames"].number, 90);
  EXPECT_EQ(dat["duration_seconds"].number, 1.5);
  EXPECT_EQ(dat["trailer_rate"].number, 60);
  EXPECT_EQ(dat["largest_amplitude"].number, 23000);
  EXPECT_LT(dat["frequency_range_hz"]["low"].number, dat["frequency_range_hz"]["high"].number);
  double frames = 0;
  for (const auto& count : dat["sounding_channels_histogram"].array)
    frames += count.number;
  EXPECT_EQ(frames, 90);
  ASSERT_EQ(dat["frame_list"].array.size(), 2u);
  EXPECT_EQ(dat["frame_list"][0]["channels"].array.size(), 8u);

  const auto& voi = files[1];
  EXPECT_EQ(voi["kind"].string, "voi");
  EXPECT_EQ(voi["source"].string, "pcm");
  EXPECT_EQ(voi["channels"].number, 6);
  EXPECT_EQ(voi["output_frames"].number, 90);
  EXPECT_EQ(voi["duration_seconds"].number, 1.5);
  ASSERT_EQ(voi["channel_summaries"].array.size(), 6u);
  for (const auto& channel : voi["channel_summaries"].array) {
    double records = channel["silent_records"].number;
    ASSERT_EQ(channel["level_histogram"].array.size(), 16u);
    for (const auto& count : channel["level_histogram"].array)
      records += count.number;
    EXPECT_EQ(records, 90);
  }
  const auto& record = voi["frame_list"][1]["records"][0];
  EXPECT_EQ(record["record"].string.size(), 5u);
  EXPECT_TRUE(record.Has("silent") && record.Has("hertz") && record.Has("level"));

  EXPECT_NE(files[2]["damaged"].string.find("cut short"), std::string::npos);
}

TEST(Inspect, TextAndCsvShowTheSummaryAndTheFrames) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(30));
  ASSERT_EQ(RunTool({"convert", folder / "song.dat", "-s", "fm", "-c", "3"}).status, 0);
  const Outcome text = RunTool({"inspect", folder / "song.dat", folder / "song.voi"});
  EXPECT_EQ(text.status, 0) << text.err;
  for (const char* line : {"DAT recording", "frames             30 (0.500 s",
                           "largest amplitude  23000", "VOI file, FM, 3 channels",
                           "output frames      30", "records by level", "lowest pitch (Hz)"}) {
    EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;
  }
  const Outcome frames = RunTool({"inspect", folder / "song.voi", "--frames", "28:", "-f"});
  EXPECT_EQ(frames.status, 2) << "-f is no option";
  const Outcome csv =
      RunTool({"inspect", folder / "song.voi", "--frames", "28:", "--format", "csv"});
  EXPECT_EQ(csv.status, 0);
  const std::string header = "file,frame,channel,record,silent,hertz,level\n";
  ASSERT_EQ(csv.out.substr(0, header.size()), header);
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 2 * 3) << csv.out;
}

TEST(Plot, DrawsWellFormedSvgWithOnePathPerOutputChannel) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(120));
  ASSERT_EQ(RunTool({"convert", folder / "song.dat", "-s", "fm", "-c", "7"}).status, 0);
  const Outcome fromFile = RunTool(
      {"plot", folder / "song.dat", "--voi", folder / "song.voi", "-o", folder / "file.svg"});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  const std::string voi = ReadFile(folder / "song.voi");
  ASSERT_EQ(std::remove((folder / "song.voi").c_str()), 0);
  const Outcome onTheFly =
      RunTool({"plot", folder / "song.dat", "-s", "fm", "-c", "7", "-o", folder / "fly.svg"});
  ASSERT_EQ(onTheFly.status, 0) << onTheFly.err;
  EXPECT_FALSE(Exists(folder / "song.voi")) << "nothing written next to the DAT file";

  std::vector<std::string> channelPaths[2];
  int index = 0;
  for (const char* name : {"file.svg", "fly.svg"}) {
    const testing::XmlCheck check = testing::CheckXml(ReadFile(folder / name));
    ASSERT_EQ(check.error, "") << name;
    for (const auto& [element, attributes] : check.tags) {
      if (element == "path" && attributes.at("class") == "channel")
        channelPaths[index].push_back(attributes.at("d"));
    }
    EXPECT_EQ(check.tags.front().first, "svg");
    EXPECT_EQ(check.tags.front().second.at("xmlns"), "http://www.w3.org/2000/svg");
    ++index;
  }
  EXPECT_EQ(channelPaths[0].size(), 7u);
  EXPECT_EQ(channelPaths[0], channelPaths[1]) << "the same channels, drawn the same";

  // PNG where the build has cairo; otherwise refused as a wrong command line.
  const Outcome png =
      RunTool({"plot", folder / "song.dat", "-s", "fm", "-c", "7", "-o", folder / "song.png"});
  if (png.status == 0) {
    EXPECT_EQ(ReadFile(folder / "song.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  } else {
    EXPECT_EQ(png.status, 2);
    EXPECT_NE(png.err.find("no PNG"), std::string::npos);
  }
}

TEST(PreviewCommandLine, HelpTextsAndExitStatuses) {
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"inspect", "--frames", "--format", "Exit status", "damaged"},
        {"render", "--output", "--rate", "--converted", "3579545", "15700", "Exit status"},
        {"plot", "--voi", "--output", "--source", ".svg", "Exit status"}}) {
    const Outcome help = RunTool({words[0], "--help"});
    EXPECT_EQ(help.status, 0);
    for (const std::string& word : words)
      EXPECT_NE(help.out.find(word), std::string::npos) << words[0] << ": " << word;
  }
  EXPECT_NE(RunTool({"--help"}).out.find("render"), std::string::npos);

  TemporaryFolder folder;
  WriteFile(folder / "song.dat", GlidingDat(10));
  WriteFile(folder / "song.voi", VoiBytes(kFm, 3, OneChannel(Fm(290, 3, 15), kFmSilent, 10)));
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* why;
  };
  const std::string dat = folder / "song.dat";
  const std::string voi = folder / "song.voi";
  const std::string out = folder / "out";
  const Case cases[] = {
      {{"render", voi}, 2, "no -o"},
      {{"render", voi, "-o", out + ".wav", "--rate", "100"}, 2, "a rate too low"},
      {{"render", voi, "-o", out + ".wav", "--source", "fm"}, 2, "a setting without --converted"},
      {{"render", dat, "--converted", "--volume", "500", "-o", out + ".wav"}, 2, "refused volume"},
      {{"render", folder / "none.voi", "-o", out + ".wav"}, 1, "a missing file"},
      {{"render", voi, "-o", folder / "no/such/folder/out.wav"}, 1, "an unwritable output"},
      {{"plot", dat, "-o", out + ".txt"}, 2, "an unknown picture type"},
      {{"plot", dat, "--voi", voi, "--channels", "4", "-o", out + ".svg"},
       2,
       "--voi and a setting"},
      {{"plot", dat, "--speed", "2", "-o", out + ".svg"}, 2, "refused speed"},
      {{"plot", folder / "none.dat", "-o", out + ".svg"}, 1, "a missing DAT"},
      {{"inspect"}, 2, "no file"},
      {{"inspect", voi, "--frames", "5:3"}, 2, "a backwards range"},
      {{"inspect", voi, "--format", "xml"}, 2, "an unknown format"},
      {{"inspect", voi, folder / "none.dat"}, 1, "one file missing"},
      {{"inspect", voi, dat}, 0, "both readable"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = RunTool(c.args);
    EXPECT_EQ(outcome.status, c.status) << c.why << ": " << outcome.err;
    if (c.status != 0) {
      EXPECT_FALSE(outcome.err.empty()) << c.why;
    }
  }
  EXPECT_EQ(SortedEntries(folder.path()), (std::vector<std::string>{"song.dat", "song.voi"}))
      << "no output and no temporary file from any failed command";
}

}  // namespace
}  // namespace larkfold::e2e

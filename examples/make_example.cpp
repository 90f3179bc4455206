// Writes the bundled example recording: four seconds of eight partials that
// glide up and down through each other, start at different times and fall
// silent in between. Each frame lists its channels from the lowest frequency
// up, as an analyser would, so the partials change slots wherever they cross
// and the converter's channel matching has something to undo.
//
//   make_example OUT.dat
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kFrames = 240;  // 4 s at 60 frames per second
constexpr double kPi = 3.14159265358979323846;

struct Partial {
  double startHertz;
  double octavesPerSecond;  // glide
  double vibratoHertz;
  int onset;   // first sounding frame
  int length;  // frames it sounds
  int gap;     // silent frames in the middle of it
  double peak;
};

const Partial kPartials[8] = {
    {110.0, 1.0, 5.0, 0, 230, 0, 30000},   {880.0, -1.0, 4.0, 0, 200, 20, 22000},
    {220.0, 0.5, 6.0, 20, 200, 0, 26000},  {660.0, -0.6, 5.5, 30, 180, 15, 18000},
    {330.0, 0.25, 4.5, 45, 170, 0, 15000}, {1320.0, -0.8, 6.5, 60, 150, 25, 12000},
    {495.0, 0.0, 3.0, 90, 120, 0, 9000},   {2000.0, -1.2, 7.0, 100, 110, 10, 7000},
};

struct Sample {
  std::int32_t amplitude;
  std::int32_t frequency;  // tenths of a hertz
};

Sample At(const Partial& p, int frame) {
  const double t = frame / 60.0;
  const double vibrato = 1.0 + 0.01 * std::sin(2.0 * kPi * p.vibratoHertz * t);
  const double hertz = p.startHertz * std::pow(2.0, p.octavesPerSecond * t) * vibrato;
  const int local = frame - p.onset;
  double level = 0.0;
  if (local >= 0 && local < p.length) {
    const int middle = p.length / 2;
    const bool silent = local >= middle && local < middle + p.gap;
    const double attack = std::min(1.0, (local + 1) / 6.0);
    const double release = std::min(1.0, (p.length - local) / 12.0);
    level = silent ? 0.0 : p.peak * attack * release;
  }
  return {static_cast<std::int32_t>(level), static_cast<std::int32_t>(hertz * 10.0)};
}

void Put(std::vector<unsigned char>& bytes, std::size_t offset, std::int32_t value) {
  const std::uint32_t bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_example OUT.dat\n");
    return 2;
  }
  std::vector<unsigned char> bytes((kFrames + 1) * 64, 0);
  for (int frame = 0; frame < kFrames; ++frame) {
    std::array<Sample, 8> samples;
    for (int c = 0; c < 8; ++c)
      samples[c] = At(kPartials[c], frame);
    std::stable_sort(samples.begin(), samples.end(),
                     [](const Sample& a, const Sample& b) { return a.frequency < b.frequency; });
    for (int c = 0; c < 8; ++c) {
      Put(bytes, frame * 64 + c * 8, samples[c].amplitude);
      Put(bytes, frame * 64 + c * 8 + 4, samples[c].frequency);
    }
  }
  Put(bytes, kFrames * 64 + 60, 60);  // the timing trailer: 60 frames per second

  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "make_example: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

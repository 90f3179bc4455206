// Writes the largest DAT file the converter accepts (35999 frames and the
// trailer): eight partials on slow random walks in pitch and loudness that
// cross each other often, listed in frequency order per frame.
//
//   make_large_dat OUT.dat [frames]
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::uint32_t state = 12345;
std::int32_t Step(std::int32_t range) {
  state = state * 1664525u + 1013904223u;
  return static_cast<std::int32_t>((state >> 8) % static_cast<std::uint32_t>(2 * range + 1)) -
         range;
}

void Put(std::vector<unsigned char>& bytes, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_large_dat OUT.dat [frames]\n");
    return 2;
  }
  const int frames = argc > 2 ? std::atoi(argv[2]) : 35999;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(frames + 1) * 64, 0);
  std::array<std::int32_t, 8> frequency = {1100, 2200, 3300, 4400, 5500, 6600, 7700, 8800};
  std::array<std::int32_t, 8> amplitude = {20000, 18000, 16000, 14000, 12000, 10000, 8000, 6000};
  for (int f = 0; f < frames; ++f) {
    std::array<std::pair<std::int32_t, std::int32_t>, 8> channels;
    for (int c = 0; c < 8; ++c) {
      frequency[c] = std::clamp(frequency[c] + Step(60), 500, 40000);
      amplitude[c] = std::clamp(amplitude[c] + Step(900), 0, 30000);
      channels[c] = {frequency[c], amplitude[c]};
    }
    std::sort(channels.begin(), channels.end());
    for (int c = 0; c < 8; ++c) {
      Put(bytes, static_cast<std::size_t>(f) * 64 + c * 8, channels[c].second);
      Put(bytes, static_cast<std::size_t>(f) * 64 + c * 8 + 4, channels[c].first);
    }
  }
  Put(bytes, static_cast<std::size_t>(frames) * 64 + 60, 60);
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "make_large_dat: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

// The whole conversion of arbitrary bytes as a DAT file: every stage with the
// fast solver, on the in-memory platform. The first four bytes choose the
// settings, the rest is the file:
//
//   byte 0     bit 0 FM (else PCM); bits 1-3 channels, 3 + value % 6;
//              bit 7 puts 60 into the trailer, so most inputs get past its check
//   byte 1     volume, 20 + value % 181
//   bytes 2-3  speed: 0 reads "0.9", 1 reads "1.1", 2 reads "1.0", any other
//              value a text between the bounds
//
// A file the conversion refuses must end with exactly its message and no VOI;
// an accepted one with a VOI that keeps every rule of the format. No way out
// may leave a block, a temporary file or an open file behind, or touch the DAT.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "assign/progress_state.h"
#include "convert/block_pool.h"
#include "convert/driver.h"
#include "convert/messages.h"
#include "dat/dat_format.h"
#include "tests/fake_platform/fake_platform.h"
#include "tests/support/fake_host.h"
#include "voi/tempo_scaling.h"

namespace larkfold {
namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

constexpr std::size_t kSettingBytes = 4;

struct Settings {
  bool fm = false;
  int channels = 5;
  int volume = 100;
  std::string speedText;
  double speed = 1.0;
  bool fixTrailer = false;
};

Settings DecodeSettings(const std::uint8_t* bytes) {
  Settings settings;
  settings.fm = (bytes[0] & 1) != 0;
  settings.channels = 3 + ((bytes[0] >> 1) & 7) % 6;
  settings.fixTrailer = (bytes[0] & 0x80) != 0;
  settings.volume = 20 + bytes[1] % 181;
  const unsigned speed = bytes[2] | (unsigned{bytes[3]} << 8);
  if (speed == 0) {
    settings.speedText = "0.9";
  } else if (speed == 1) {
    settings.speedText = "1.1";
  } else if (speed == 2) {
    settings.speedText = "1.0";
  } else {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", 0.9 + 0.2 * (speed / 65535.0));
    settings.speedText = text;
  }
  settings.speed = std::strtod(settings.speedText.c_str(), nullptr);
  return settings;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

// What the conversion must answer for these bytes, from the format's rules alone.
std::string_view ExpectedMessage(const std::string& dat) {
  const std::size_t records = dat.size() / kDatRecordSize;
  if (records == 0) {
    return messages::kNoData;
  }
  if (dat.size() > static_cast<std::size_t>(kLongestDatFile) || records > kDatRecordLimit) {
    return messages::kTooLarge;
  }
  if (Int32At(dat, records * kDatRecordSize - 4) != kDatFrameRate) {
    return messages::kNotSixtiethSecond;
  }
  return messages::kFinished;
}

// The search only reorders slots 0..n-1 of a frame; the output tables must hold
// the normalised file, slot for slot or as a permutation of the active slots.
void CheckChannelTables(const std::string& dat, std::int32_t frameCount, int n) {
  std::int32_t maxAmplitude = 1;
  for (std::int32_t i = 0; i < frameCount; ++i) {
    for (int c = 0; c < kChannelSlots; ++c) {
      maxAmplitude = std::max(maxAmplitude, Int32At(dat, i * 64 + c * 8));
    }
  }
  for (std::int32_t i = 0; i < frameCount; ++i) {
    std::vector<std::pair<double, double>> file;
    std::vector<std::pair<double, double>> table;
    for (int c = 0; c < kChannelSlots; ++c) {
      const std::int32_t raw = Int32At(dat, i * 64 + c * 8);
      const double amplitude =
          raw < 0 ? 0.0
                  : static_cast<double>(static_cast<std::int32_t>(
                        static_cast<double>(raw) * 65535.0 / static_cast<double>(maxAmplitude)));
      const double hertz = static_cast<double>(Int32At(dat, i * 64 + c * 8 + 4)) / 10.0;
      Require(AmplitudeTable[i][c] >= 0.0 && AmplitudeTable[i][c] <= 65535.0,
              "a normalised amplitude lies in 0..65535");
      if (c < n) {
        file.emplace_back(amplitude, hertz);
        table.emplace_back(AmplitudeTable[i][c], FrequencyTable[i][c]);
      } else {
        Require(AmplitudeTable[i][c] == amplitude && FrequencyTable[i][c] == hertz,
                "a slot beyond the channel count stays where it was");
      }
    }
    std::sort(file.begin(), file.end());
    std::sort(table.begin(), table.end());
    Require(file == table, "the search only reorders the active channels of a frame");
  }
}

void CheckVoi(const std::string& voi, const std::string& dat, const Settings& settings) {
  const std::int32_t frameCount = static_cast<std::int32_t>(dat.size() / kDatRecordSize) - 1;
  const int n = settings.channels;
  std::vector<std::int32_t> shown;
  const std::int32_t outputFrames =
      RunTempoLoop(frameCount, settings.speed, [&](std::int32_t b) { shown.push_back(b); });
  Require(outputFrames == static_cast<std::int32_t>(shown.size()), "the tempo loop counts");
  Require(outputFrames <= 39998, "no more than 39998 output frames");

  const std::size_t recordsEnd = 4 + std::size_t{2} * n * shown.size();
  Require(voi.size() == (recordsEnd + 255) / 256 * 256, "the length rule");
  Require(static_cast<std::uint8_t>(voi[0]) == (settings.fm ? 3 : 4), "byte 0 is the source");
  Require(static_cast<std::uint8_t>(voi[1]) == n, "byte 1 is the channel count");
  Require((static_cast<std::uint8_t>(voi[2]) | static_cast<std::uint8_t>(voi[3]) << 8) ==
              (outputFrames & 0xFFFF),
          "bytes 2-3 are the output frame count");
  Require(std::all_of(voi.begin() + static_cast<std::ptrdiff_t>(recordsEnd), voi.end(),
                      [](char c) { return c == 0; }),
          "zero bytes after the records");

  CheckChannelTables(dat, frameCount, n);
  for (std::size_t o = 0; o < shown.size(); ++o) {
    for (int k = 0; k < n; ++k) {
      const std::size_t at = 4 + 2 * (o * n + k);
      const auto byte0 = static_cast<std::uint8_t>(voi[at]);
      const auto byte1 = static_cast<std::uint8_t>(voi[at + 1]);
      const double scaled = settings.volume * AmplitudeTable[shown[o]][k] / 100.0;
      if (settings.fm) {
        // Below 2^8 the level would be negative.
        if (scaled < 256.0) {
          Require(byte0 == 0 && byte1 == 0, "an FM record below level 0 is 00 00");
        }
      } else {
        const int level = byte1 & 0x0F;
        const int step = byte0 | (byte1 >> 4) << 8;
        Require(step >= 29 && step <= 4095, "a PCM step lies in 29..4095");
        Require((level == 0) == (scaled < 1284.0), "PCM level 0 is the scaled amplitudes 1..1283");
        if (level == 0) {
          Require(byte0 == 0xFF && byte1 == 0xF0, "a PCM record of level 0 is FF F0");
        }
      }
    }
  }
}

}  // namespace
}  // namespace larkfold

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace larkfold;
  if (size < kSettingBytes) {
    return 0;
  }
  const Settings settings = DecodeSettings(data);
  std::string dat(reinterpret_cast<const char*>(data) + kSettingBytes, size - kSettingBytes);
  const std::size_t records = dat.size() / kDatRecordSize;
  if (settings.fixTrailer && records > 0) {
    const std::int32_t rate = kDatFrameRate;
    std::memcpy(dat.data() + records * kDatRecordSize - 4, &rate, 4);
  }

  BlockPool::Request(0);
  fake::Reset();
  fake::Files().files["in.dat"].bytes = dat;
  // Both clocks move, so that the search polls and updates its window.
  fake::Clock().milliseconds = [now = 0]() mutable { return now += 40; };
  fake::Clock().counter = [now = std::int64_t{0}]() mutable { return now += 1000; };
  ProgressState::cancelRequested = 0;
  ProgressState::progressWindow = nullptr;
  ProgressState::busy = 0;

  testing::FakeHost host;
  host.SelectSource(settings.fm ? IDC_SOURCE_FM : IDC_SOURCE_PCM);
  host.SelectChannels(settings.channels);
  host.texts[IDC_VOLUME] = std::to_string(settings.volume);
  host.texts[IDC_SPEED] = settings.speedText;
  host.texts[IDC_DAT_PATH] = "in.dat";

  OnConvert(host, SearchMethod::fast);

  const std::string_view expected = ExpectedMessage(dat);
  Require(host.messages.size() == 1, "exactly one message");
  Require(host.messages[0].text == expected, "the message the format's rules give");
  Require(host.messages[0].type == kMessageOk, "a stage's message has no icon");
  Require(ProgressState::busy == 0 && ProgressState::progressWindow == nullptr,
          "the conversion ends idle, without a window");
  Require(host.windowsCreated == host.windowsDestroyed, "every progress window is destroyed");
  Require(BlockPool::HeldCount() == 0 && fake::Blocks().liveBlocks == 0, "the pool is released");
  Require(fake::Files().pendingTemporaries == 0 && fake::Files().openHandles == 0,
          "no temporary or open file is left");
  Require(fake::Files().files.at("in.dat").bytes == dat, "the DAT file is never written");

  const auto voi = fake::Files().files.find("in.voi");
  if (expected == messages::kFinished) {
    Require(voi != fake::Files().files.end(), "an accepted file gives a VOI");
    CheckVoi(voi->second.bytes, dat, settings);
  } else {
    Require(voi == fake::Files().files.end(), "a refused file gives no VOI");
  }
  return 0;
}

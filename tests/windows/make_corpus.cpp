// Writes the DAT files of the byte-parity corpus: random recordings of
// several kinds and the edge cases of the format, into one folder; or one
// long recording of eight sounding channels, whose reference search lasts
// long enough to be interrupted.
//
//   make_corpus FOLDER
//   make_corpus --long FILE
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

struct Random {
  std::uint64_t state;
  std::uint32_t Next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 32);
  }
  // A value from `low` to `high`, both included.
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
};

class Recording {
 public:
  void Put(std::int32_t value) {
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes_.append(raw, 4);
  }
  void Frame(const std::function<void(int channel)>& channel) {
    for (int c = 0; c < 8; ++c) {
      channel(c);
    }
  }
  void Trailer(std::int32_t rate = 60) {
    bytes_.append(60, '\0');
    Put(rate);
  }
  void Append(const std::string& raw) { bytes_ += raw; }
  bool Write(const std::string& path) const {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
      return false;
    }
    const bool ok = std::fwrite(bytes_.data(), 1, bytes_.size(), out) == bytes_.size();
    return std::fclose(out) == 0 && ok;
  }

 private:
  std::string bytes_;
};

// `frames` frames whose channels each draw an amplitude and a frequency.
Recording Random(std::uint64_t seed, int frames, std::int64_t amplitudeLow,
                 std::int64_t amplitudeHigh, std::int64_t frequencyLow, std::int64_t frequencyHigh,
                 int silentInTen = 0, std::int32_t rate = 60) {
  struct Random random {
    seed
  };
  Recording recording;
  for (int i = 0; i < frames; ++i) {
    recording.Frame([&](int) {
      const bool silent = static_cast<int>(random.Between(0, 9)) < silentInTen;
      recording.Put(
          silent ? 0 : static_cast<std::int32_t>(random.Between(amplitudeLow, amplitudeHigh)));
      recording.Put(static_cast<std::int32_t>(random.Between(frequencyLow, frequencyHigh)));
    });
  }
  recording.Trailer(rate);
  return recording;
}

// Voices that glide slowly, so that the channel matching has to follow them.
Recording Gliding(int frames) {
  Recording recording;
  for (int i = 0; i < frames; ++i) {
    recording.Frame([&](int c) {
      const std::int32_t base = 1100 * (c + 1);
      const std::int32_t glide = (i * (c % 2 == 0 ? 7 : -5)) % 4000;
      recording.Put(1000 + (i * 37 + c * 4111) % 60000);
      recording.Put(base + glide > 1 ? base + glide : 1);
    });
  }
  recording.Trailer();
  return recording;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--long") {
    return Random(9, 35999, 1000, 30000, 1000, 40000).Write(argv[2]) ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_corpus FOLDER | make_corpus --long FILE\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::int64_t kMax = 2147483647;
  struct Entry {
    const char* name;
    Recording recording;
  };
  Recording trailing = Random(7, 40, 0, 30000, 0, 20000);
  trailing.Append("tail");  // bytes after the last whole record are ignored
  Recording tooLarge;
  for (int i = 0; i < 36000; ++i) {
    tooLarge.Frame([&](int) {
      tooLarge.Put(1);
      tooLarge.Put(4400);
    });
  }
  tooLarge.Trailer();
  Recording trailerOnly;
  trailerOnly.Trailer();

  const Entry entries[] = {
      {"random_wide.dat", Random(1, 600, 0, kMax, 0, kMax)},
      {"random_voiced.dat", Random(2, 900, 100, 40000, 300, 60000)},
      {"random_sparse.dat", Random(3, 700, 1, 65535, 1, 30000, 6)},
      {"random_negative.dat", Random(4, 300, -50000, 50000, -20000, 20000)},
      {"random_quiet.dat", Random(5, 500, 0, 400, 100, 200000)},
      {"random_extreme_pitch.dat", Random(6, 400, 1000, 30000, 0, 40)},
      {"gliding.dat", Gliding(3000)},
      {"trailing_bytes.dat", trailing},
      {"trailer_only.dat", trailerOnly},
      {"too_large.dat", tooLarge},
      {"rate_50.dat", Random(8, 10, 0, 30000, 0, 20000, 0, 50)},
      {"empty.dat", Recording()},
  };
  for (const Entry& entry : entries) {
    if (!entry.recording.Write(folder + "/" + entry.name)) {
      std::fprintf(stderr, "make_corpus: cannot write %s/%s\n", folder.c_str(), entry.name);
      return 1;
    }
  }
  return 0;
}

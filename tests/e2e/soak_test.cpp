// 2000 conversions in one run of the tool, of valid files and every kind of
// invalid one, in random order. Each file must end with its own message, and
// the tool's memory must stop growing once it has met the largest file and
// every way out: the pool, the static tables and the image are reused, and
// nothing is kept from one conversion to the next. The first hundred files
// hold one of each kind at the largest size of that kind, so the tool's peak
// resident size during the last conversion may be no larger than it was after
// them. Both figures are the running tool's own (VmHWM, read while it is
// stopped for a moment), so they count the same pages.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include "tests/e2e/e2e_support.h"

namespace larkfold::e2e {
namespace {

constexpr int kFiles = 2000;
constexpr int kFirst = 100;

enum class Kind {
  longest,    // 35999 frames, the largest file that converts
  valid,      // up to 3000 frames
  hostile,    // valid, with negative amplitudes and extreme frequencies
  empty,      // no record
  partial,    // 1 to 63 bytes
  wrongRate,  // the trailer holds 61
  tooLarge,   // 36001 records, sparse
  missing,    // no file at the path
  folder,     // a folder named like a DAT file
  notDat,     // a path that does not end in "dat"
};
constexpr int kKinds = 10;

struct SoakFile {
  std::string path;
  std::string message;  // what the tool must print for it
};

std::string Hostile(int frames, std::mt19937& random) {
  std::string bytes = MakeDat(frames, random());
  const std::int32_t values[] = {std::numeric_limits<std::int32_t>::min(), -1, 0, 65535,
                                 std::numeric_limits<std::int32_t>::max()};
  for (int i = 0; i < frames * 16; i += 3) {
    const std::int32_t value = values[random() % 5];
    std::memcpy(&bytes[static_cast<std::size_t>(i) * 4], &value, 4);
  }
  return bytes;
}

SoakFile Make(const TemporaryFolder& folder, int index, Kind kind, int frames,
              std::mt19937& random) {
  const std::string base = folder / ("f" + std::to_string(index));
  switch (kind) {
    case Kind::longest:
      WriteFile(base + ".dat", MakeDat(35999, random()));
      return {base + ".dat", "終了しました"};
    case Kind::valid:
      WriteFile(base + ".dat", MakeDat(frames, random()));
      return {base + ".dat", "終了しました"};
    case Kind::hostile:
      WriteFile(base + ".dat", Hostile(frames, random));
      return {base + ".dat", "終了しました"};
    case Kind::empty:
      WriteFile(base + ".dat", "");
      return {base + ".dat", "データがありません"};
    case Kind::partial:
      WriteFile(base + ".dat", std::string(1 + random() % 63, '\x3C'));
      return {base + ".dat", "データがありません"};
    case Kind::wrongRate:
      WriteFile(base + ".dat", MakeDat(frames, random(), 61));
      return {base + ".dat", "発音単位が1/60秒ではありません"};
    case Kind::tooLarge: {
      const int fd = ::open((base + ".dat").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
      EXPECT_EQ(::ftruncate(fd, 36001 * 64), 0);
      ::close(fd);
      return {base + ".dat", "データが大き過ぎます"};
    }
    case Kind::missing:
      return {base + ".dat", "ファイルが見つかりません"};
    case Kind::folder:
      ::mkdir((base + ".dat").c_str(), 0755);
      return {base + ".dat", "ファイルをオープンできません"};
    case Kind::notDat:
      WriteFile(base + ".txt", MakeDat(3));
      return {base + ".txt", "DATファイルを指定して下さい"};
  }
  return {};
}

// The first hundred: the longest file first, then one of each kind at the
// largest size that kind will have; then random kinds and sizes, and last a
// valid file of the largest size, during whose conversion the tool is measured.
std::vector<SoakFile> MakeFiles(const TemporaryFolder& folder) {
  constexpr int kLargest = 3000;
  std::mt19937 random(20240605);
  std::vector<SoakFile> files;
  for (int i = 0; i < kFiles; ++i) {
    Kind kind = static_cast<Kind>(1 + random() % (kKinds - 1));
    const unsigned sizes = random() % 20 == 0 ? kLargest : 300;
    int frames = static_cast<int>(random() % (sizes + 1));
    if (i == 0) {
      kind = Kind::longest;
    } else if (i <= kKinds) {
      kind = static_cast<Kind>(i % kKinds);
      frames = kLargest;
    } else if (i == kFiles - 1) {
      kind = Kind::valid;
      frames = kLargest;
    }
    files.push_back(Make(folder, i, kind, frames, random));
  }
  return files;
}

long StatusField(int pid, const char* field) {
  const std::string status = ReadFile("/proc/" + std::to_string(pid) + "/status");
  const std::size_t at = status.find(field);
  return at == std::string::npos ? -1 : std::atol(status.c_str() + at + std::strlen(field));
}

bool IsStopped(int pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'T';
}

struct Sample {
  long residentKilobytes = -1;
  long peakKilobytes = -1;
};

Sample Measure(int pid) {
  ::kill(pid, SIGSTOP);
  for (int i = 0; i < 1000 && !IsStopped(pid); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  Sample sample;
  sample.residentKilobytes = StatusField(pid, "VmRSS:");
  sample.peakKilobytes = StatusField(pid, "VmHWM:");
  ::kill(pid, SIGCONT);
  return sample;
}

// Measures the tool once it has printed `first` messages, and again at `last`.
std::function<void(int, const Outcome&)> MeasureAfter(std::size_t first, Sample& afterFirst,
                                                      std::size_t last, Sample& afterLast) {
  return [=, &afterFirst, &afterLast](int pid, const Outcome& soFar) {
    const auto printed =
        static_cast<std::size_t>(std::count(soFar.out.begin(), soFar.out.end(), '\n') +
                                 std::count(soFar.err.begin(), soFar.err.end(), '\n'));
    if (printed >= first && afterFirst.peakKilobytes < 0)
      afterFirst = Measure(pid);
    if (printed >= last && afterLast.peakKilobytes < 0)
      afterLast = Measure(pid);
  };
}

std::vector<std::string> Arguments(const std::vector<SoakFile>& files, std::size_t count) {
  std::vector<std::string> args = {"convert", "--quiet", "--channels", "8", "--speed", "0.9"};
  for (std::size_t i = 0; i < count; ++i)
    args.push_back(files[i].path);
  return args;
}

std::vector<std::string> LinesOf(const Outcome& outcome) {
  std::vector<std::string> lines;
  for (const std::string* stream : {&outcome.out, &outcome.err}) {
    for (std::size_t at = 0; at < stream->size();) {
      const std::size_t end = std::min(stream->find('\n', at), stream->size() - 1);
      lines.push_back(stream->substr(at, end - at + 1));
      at = end + 1;
    }
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(Soak, TwoThousandConversionsInOneRunKeepTheirMemoryFlat) {
  TemporaryFolder folder;
  const std::vector<SoakFile> files = MakeFiles(folder);

  // The first hundred alone, for comparison: that run's whole peak.
  const Outcome first = RunTool(Arguments(files, kFirst));
  EXPECT_EQ(first.status, 2);

  Sample afterFirst;
  Sample duringLast;
  RunOptions options;
  options.environment = {"LARKFOLD_POOL_REPORT=1"};
  options.onOutput = MeasureAfter(kFirst, afterFirst, kFiles - 1, duringLast);
  const auto start = std::chrono::steady_clock::now();
  const Outcome all = RunTool(Arguments(files, files.size()), options);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // Successes go to standard output, the rest to standard error; as a set of
  // lines, every file has its own message, and the pool ends empty.
  EXPECT_EQ(all.status, 2) << "the worst outcome is a refused path";
  std::vector<std::string> wanted;
  for (const SoakFile& file : files)
    wanted.push_back(file.path + ": " + file.message + "\n");
  wanted.push_back("larkfold: blocks held by the pool: 0\n");
  std::sort(wanted.begin(), wanted.end());
  EXPECT_TRUE(LinesOf(all) == wanted) << "a file without its message, or the pool kept a block";

  std::printf(
      "soak: %d conversions in one run, %.1f s\n"
      "  after the first %d files:    resident %ld kB, peak %ld kB\n"
      "  during the last conversion: resident %ld kB, peak %ld kB\n"
      "  whole run (wait4):          peak %ld kB; the first %d alone: peak %ld kB\n",
      kFiles, seconds, kFirst, afterFirst.residentKilobytes, afterFirst.peakKilobytes,
      duringLast.residentKilobytes, duringLast.peakKilobytes, all.peakResidentKilobytes, kFirst,
      first.peakResidentKilobytes);
  ASSERT_GT(afterFirst.peakKilobytes, 0) << "the tool was not measured after the first files";
  ASSERT_GT(duringLast.peakKilobytes, 0) << "the tool was not measured during the last file";
  EXPECT_LE(duringLast.peakKilobytes, afterFirst.peakKilobytes)
      << "the tool kept growing after the first " << kFirst << " files";
}

}  // namespace
}  // namespace larkfold::e2e

// Every fault a user can meet converting on this system, as one table. Each row
// arranges what the user had, runs the real tool once, and must end with its
// one message and exit status, with the pool holding no block, and with every
// file around exactly as it was: a success may only create or replace its VOI.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <glob.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/folder_snapshot.h"

namespace larkfold::e2e {
namespace {

const std::string kPrevious = "an older VOI that must survive";
const std::string kPoolReport = "larkfold: blocks held by the pool: ";

const char* const kFileNotFound = "ファイルが見つかりません";
const char* const kCannotOpen = "ファイルをオープンできません";
const char* const kReadError = "読込エラー";
const char* const kNoData = "データがありません";
const char* const kTooLarge = "データが大き過ぎます";
const char* const kNotSixtieth = "発音単位が1/60秒ではありません";
const char* const kCannotCreate = "ファイルを作成できませんでした";
const char* const kCancelled = "中止しました";
const char* const kFinished = "終了しました";

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// What a row needs of the machine beyond an ordinary user.
enum class Needs { nothing, root, unprivilegedUser };

// The folders a row works in; everything below them is compared.
struct Scene {
  TemporaryFolder folder;
  std::optional<SmallDisk> disk;
};

struct Arranged {
  std::vector<std::string> args;  // after "convert"
  std::string out;                // all the tool must print on standard output
  std::string err;                // and on standard error
  std::string newVoi;             // the one entry the run creates or replaces
  RunOptions options;
  std::function<void()> beforeRun;  // right before the tool starts, after the first snapshot
  std::function<void(const Outcome&, double seconds)> check;  // what else the row shows
  std::string skip;                                           // why the row cannot run here
};

struct Row {
  const char* name;
  Needs needs;
  int status;
  std::function<Arranged(Scene&)> arrange;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

Arranged Fails(std::vector<std::string> args, const std::string& message) {
  Arranged arranged;
  arranged.args = std::move(args);
  arranged.err = message + "\n";
  return arranged;
}

Arranged Succeeds(std::vector<std::string> args, std::string newVoi) {
  Arranged arranged;
  arranged.args = std::move(args);
  arranged.out = std::string(kFinished) + "\n";
  arranged.newVoi = std::move(newVoi);
  return arranged;
}

// One frame: {amplitude, frequency in tenths of a hertz} for each of the 8 channels.
using Channels = std::array<std::pair<std::int32_t, std::int32_t>, 8>;

std::string DatOf(const std::vector<Channels>& frames) {
  std::string bytes(frames.size() * 64 + 64, '\0');
  for (std::size_t i = 0; i < frames.size(); ++i) {
    for (std::size_t c = 0; c < 8; ++c) {
      std::memcpy(&bytes[i * 64 + c * 8], &frames[i][c].first, 4);
      std::memcpy(&bytes[i * 64 + c * 8 + 4], &frames[i][c].second, 4);
    }
  }
  const std::int32_t rate = 60;
  std::memcpy(&bytes[frames.size() * 64 + 60], &rate, 4);
  return bytes;
}

// Output frame 0, channel `slot`, of an eight-channel VOI, as hexadecimal.
std::string RecordOf(const std::string& voi, int slot) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (int i = 0; i < 2; ++i) {
    const auto byte = static_cast<unsigned char>(voi.at(4 + 2 * slot + i));
    hex += {digits[byte >> 4], digits[byte & 15], ' '};
  }
  hex.pop_back();
  return hex;
}

// A frame of amplitudes 0..65535 at the frequencies no file should have, and
// frames that mix them, so that the search meets them too.
std::vector<Channels> ExtremeFrames(const Channels& first) {
  std::vector<Channels> frames = {first};
  const std::int32_t amplitudes[] = {kMin, -1, 0, 1, 1023, 1024, 65535};
  const std::int32_t frequencies[] = {kMin, -1000, -1, 0, 1, 80, 81, 4400, 78491, kMax};
  for (int i = 0; i < 30; ++i) {
    Channels frame;
    for (int c = 0; c < 8; ++c)
      frame[c] = {amplitudes[(i * 3 + c * 5) % 7], frequencies[(i * 7 + c * 3) % 10]};
    frames.push_back(frame);
  }
  return frames;
}

// Creates `length - 4` characters of folders below `base`, each as long as a
// name may be, and a small DAT file at the end; returns the DAT's whole path,
// `length` bytes long. Works by descriptor, so the path may be longer than the
// system accepts.
std::string MakeDeepDat(const std::string& base, std::size_t length) {
  constexpr std::size_t kName = 255;
  std::string path = base;
  int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  while (length - path.size() - 1 > kName) {
    const std::size_t left = length - path.size() - 1 - kName;  // room before a full file name
    // A folder of at least one character must leave room for "/" and the name.
    const std::size_t folderLength = left > kName ? 250 : std::max<std::size_t>(left - 1, 1);
    const std::string folder(folderLength, 'd');
    ::mkdirat(fd, folder.c_str(), 0755);
    const int next = ::openat(fd, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(fd);
    fd = next;
    path += "/" + folder;
  }
  const std::string name = std::string(length - path.size() - 1 - 4, 'n') + ".dat";
  const std::string bytes = MakeDat(3);
  const int file = ::openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0 || ::write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    ADD_FAILURE() << "cannot create the deep DAT file";
  ::close(file);
  ::close(fd);
  return path + "/" + name;
}

// A kernel attribute file: a regular file whose reported length (a page) is
// more than it holds, as a file truncated after its length was taken reads.
std::string ShortReadingFile() {
  for (const char* path : {"/sys/devices/system/cpu/online", "/sys/devices/system/cpu/possible",
                           "/sys/kernel/mm/transparent_hugepage/enabled"}) {
    struct stat status;
    if (::stat(path, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & 0444) != 0 &&
        static_cast<std::size_t>(status.st_size) > ReadFile(path).size())
      return path;
  }
  return std::string();
}

// A kernel attribute file whose every read fails with an I/O error (the
// power management attributes of devices that do not suspend): what a bad
// sector or a lost network share gives.
std::string FailingFile() {
  glob_t found;
  std::string failing;
  if (::glob("/sys/devices/*/power/autosuspend_delay_ms", 0, nullptr, &found) == 0) {
    for (std::size_t i = 0; i < found.gl_pathc && failing.empty(); ++i) {
      const int fd = ::open(found.gl_pathv[i], O_RDONLY | O_CLOEXEC);
      char byte;
      if (fd >= 0 && ::read(fd, &byte, 1) < 0 && errno == EIO)
        failing = found.gl_pathv[i];
      if (fd >= 0)
        ::close(fd);
    }
  }
  ::globfree(&found);
  return failing;
}

// What the tool prints when the system fails a read, as the dialog program's
// error box would say it.
std::string ReadFailure(const std::string& path) {
  return "「" + path + "」の読み込み中にエラーが発生しました（" + std::strerror(EIO) + "）";
}

// The rows. Each says what the user had and, through its expectations, what
// the tool must make of it.
std::vector<Row> Rows() {
  return {
      // --- The DAT file cannot be opened.
      {"MissingFile", Needs::nothing, 1,
       [](Scene& s) { return Fails({s.folder / "missing.dat"}, kFileNotFound); }},
      {"MissingFolder", Needs::nothing, 1,
       [](Scene& s) { return Fails({s.folder / "no/such/folder/a.dat"}, kCannotOpen); }},
      {"FolderInsteadOfFile", Needs::nothing, 1,
       [](Scene& s) {
         ::mkdir((s.folder / "folder.dat").c_str(), 0755);
         return Fails({s.folder / "folder.dat"}, kCannotOpen);
       }},
      // Mode 000, as a user that root's privileges do not cover.
      {"UnreadableFile", Needs::unprivilegedUser, 1,
       [](Scene& s) {
         WriteFile(s.folder / "locked.dat", MakeDat(3));
         ::chmod((s.folder / "locked.dat").c_str(), 0000);
         Arranged a = Fails({s.folder / "locked.dat"}, kCannotOpen);
         a.options.asUnprivilegedUser = true;
         return a;
       }},
      // Nobody writes into the FIFO: an open that waited for a writer would hang.
      {"FifoInsteadOfFile", Needs::nothing, 1,
       [](Scene& s) {
         ::mkfifo((s.folder / "pipe.dat").c_str(), 0644);
         Arranged a = Fails({s.folder / "pipe.dat"}, kCannotOpen);
         a.check = [](const Outcome&, double seconds) { EXPECT_LT(seconds, 10.0); };
         return a;
       }},
      // A device that never ends is no recording and is not read.
      {"LinkToEndlessDevice", Needs::nothing, 1,
       [](Scene& s) {
         ::symlink("/dev/zero", (s.folder / "zero.dat").c_str());
         return Fails({s.folder / "zero.dat"}, kCannotOpen);
       }},

      // --- The DAT file's content.
      {"EmptyFile", Needs::nothing, 1,
       [](Scene& s) {
         WriteFile(s.folder / "empty.dat", "");
         return Fails({s.folder / "empty.dat"}, kNoData);
       }},
      // No whole record; the last four bytes hold 60 as a trailer's would.
      {"OneToSixtyThreeBytes", Needs::nothing, 1,
       [](Scene& s) {
         Arranged a;
         for (int size = 1; size <= 63; ++size) {
           std::string bytes(static_cast<std::size_t>(size), '\x3C');
           const std::int32_t rate = 60;
           if (size >= 4)
             std::memcpy(&bytes[bytes.size() - 4], &rate, 4);
           const std::string path = s.folder / ("short" + std::to_string(size) + ".dat");
           WriteFile(path, bytes);
           a.args.push_back(path);
           a.err += path + ": " + kNoData + "\n";
         }
         return a;
       }},
      {"WrongTrailer", Needs::nothing, 1,
       [](Scene& s) {
         WriteFile(s.folder / "rate.dat", MakeDat(10, 1, 61));
         return Fails({s.folder / "rate.dat"}, kNotSixtieth);
       }},
      // 60 stands in the partial record after the trailer, not in the trailer.
      {"SixtyOnlyAfterTheLastRecord", Needs::nothing, 1,
       [](Scene& s) {
         std::string bytes = MakeDat(3, 1, 0) + std::string(20, '\0');
         const std::int32_t rate = 60;
         std::memcpy(&bytes[bytes.size() - 4], &rate, 4);
         WriteFile(s.folder / "tail.dat", bytes);
         return Fails({s.folder / "tail.dat"}, kNotSixtieth);
       }},
      {"TooManyRecords", Needs::nothing, 1,
       [](Scene& s) {
         WriteFile(s.folder / "large.dat", std::string(36001 * 64, '\0'));
         return Fails({s.folder / "large.dat"}, kTooLarge);
       }},
      // 2 GiB + 1 byte, all of it a hole. Refused from its length alone: not a
      // byte is read (its access time stays put) and no memory is taken for it.
      {"SparseFileOfTwoGibibytes", Needs::nothing, 1,
       [](Scene& s) {
         const std::string path = s.folder / "huge.dat";
         const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
         const bool made = fd >= 0 && ::ftruncate(fd, (off_t{1} << 31) + 1) == 0;
         ::close(fd);
         const timespec times[2] = {{1000000, 0}, {0, UTIME_OMIT}};  // read long ago
         ::utimensat(AT_FDCWD, path.c_str(), times, 0);
         Arranged a = Fails({path}, kTooLarge);
         if (!made)
           a.skip = "this file system cannot hold a sparse file of 2 GiB";
         a.check = [path](const Outcome& outcome, double seconds) {
           struct stat status;
           ASSERT_EQ(::stat(path.c_str(), &status), 0);
           struct statvfs volume;
           if (::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_NOATIME) == 0) {
             EXPECT_EQ(status.st_atim.tv_sec, 1000000) << "the file was read";
           }
           EXPECT_LT(outcome.peakResidentKilobytes, 256 * 1024) << "memory was taken for it";
           EXPECT_LT(seconds, 10.0);
         };
         return a;
       }},
      // Its length says a page, its reads give a few bytes: what a file
      // truncated between the length query and the read gives.
      {"ShorterOnReadThanItsLength", Needs::nothing, 1,
       [](Scene& s) {
         const std::string source = ShortReadingFile();
         ::symlink(source.c_str(), (s.folder / "short.dat").c_str());
         Arranged a = Fails({s.folder / "short.dat"}, kReadError);
         if (source.empty())
           a.skip = "no kernel attribute file that reads shorter than its length";
         return a;
       }},
      // The system fails the read itself.
      {"ReadFailsInTheSystem", Needs::nothing, 1,
       [](Scene& s) {
         const std::string source = FailingFile();
         ::symlink(source.c_str(), (s.folder / "failing.dat").c_str());
         Arranged a = Fails({s.folder / "failing.dat"}, ReadFailure(s.folder / "failing.dat"));
         if (source.empty())
           a.skip = "no kernel attribute file whose reads fail";
         return a;
       }},
      // More failed reads in one run than the pool has slots, then a good
      // file: each failure's block is released, so the good file still gets
      // its memory and converts.
      {"ReadFailuresOneAfterAnother", Needs::nothing, 1,
       [](Scene& s) {
         const std::string source = FailingFile();
         Arranged a;
         for (int i = 0; i < 257; ++i) {
           const std::string link = s.folder / ("failing" + std::to_string(i) + ".dat");
           ::symlink(source.c_str(), link.c_str());
           a.args.push_back(link);
           a.err += link + ": " + ReadFailure(link) + "\n";
         }
         WriteFile(s.folder / "good.dat", MakeDat(3));
         a.args.push_back(s.folder / "good.dat");
         a.out = s.folder / "good.dat" + ": " + kFinished + "\n";
         a.newVoi = "good.voi";
         if (source.empty())
           a.skip = "no kernel attribute file whose reads fail";
         return a;
       }},
      // Negative amplitudes are silence: slots 0 to 3 of the first frame are
      // silent records; the loud 440 Hz channel in slot 4 and the quiet one in
      // slot 7 keep their records.
      {"NegativeAmplitudesPcm", Needs::nothing, 0,
       [](Scene& s) {
         const Channels first = {{{kMin, 4400},
                                  {-1, 4400},
                                  {-65535, 4400},
                                  {0, 4400},
                                  {65535, 4400},
                                  {40000, 4400},
                                  {20000, 2616},
                                  {1000, 4400}}};
         WriteFile(s.folder / "negative.dat", DatOf(ExtremeFrames(first)));
         Arranged a = Succeeds({s.folder / "negative.dat", "--channels", "8"}, "negative.voi");
         a.check = [voi = s.folder / "negative.voi"](const Outcome&, double) {
           const std::string bytes = ReadFile(voi);
           for (int slot : {0, 1, 2, 3, 7})
             EXPECT_EQ(RecordOf(bytes, slot), "FF F0") << "slot " << slot;
           EXPECT_EQ(RecordOf(bytes, 4), "E6 0F");
         };
         return a;
       }},
      {"NegativeAmplitudesFm", Needs::nothing, 0,
       [](Scene& s) {
         const Channels first = {{{kMin, 4400},
                                  {-1, 4400},
                                  {-65535, 4400},
                                  {0, 4400},
                                  {65535, 4400},
                                  {40000, 4400},
                                  {20000, 2616},
                                  {1000, 4400}}};
         WriteFile(s.folder / "negative.dat", DatOf(ExtremeFrames(first)));
         Arranged a = Succeeds({s.folder / "negative.dat", "--channels", "8", "--source", "fm"},
                               "negative.voi");
         a.check = [voi = s.folder / "negative.voi"](const Outcome&, double) {
           const std::string bytes = ReadFile(voi);
           for (int slot : {0, 1, 2, 3})
             EXPECT_EQ(RecordOf(bytes, slot), "00 00") << "slot " << slot;
           EXPECT_EQ(RecordOf(bytes, 4), "22 7F");
           EXPECT_EQ(RecordOf(bytes, 7), "22 73");
         };
         return a;
       }},
      // The whole 32-bit range of frequencies: PCM steps stay within 29..4095.
      {"ExtremeFrequenciesPcm", Needs::nothing, 0,
       [](Scene& s) {
         const Channels first = {{{65535, kMin},
                                  {65535, -1000},
                                  {65535, -1},
                                  {65535, 0},
                                  {65535, 1},
                                  {65535, 4400},
                                  {65535, 78491},
                                  {65535, kMax}}};
         WriteFile(s.folder / "extreme.dat", DatOf(ExtremeFrames(first)));
         Arranged a = Succeeds({s.folder / "extreme.dat", "--channels", "8"}, "extreme.voi");
         a.check = [voi = s.folder / "extreme.voi"](const Outcome&, double) {
           const std::string bytes = ReadFile(voi);
           for (int slot : {0, 1, 2, 3, 4})
             EXPECT_EQ(RecordOf(bytes, slot), "1D 0F") << "slot " << slot;
           EXPECT_EQ(RecordOf(bytes, 5), "E6 0F");
           EXPECT_EQ(RecordOf(bytes, 6), "FF FF");
           EXPECT_EQ(RecordOf(bytes, 7), "FF FF");
         };
         return a;
       }},
      // FM: -100 Hz, 0 Hz and 440 Hz give their known records; the ends of the
      // range convert without overflowing anything.
      {"ExtremeFrequenciesFm", Needs::nothing, 0,
       [](Scene& s) {
         const Channels first = {{{65535, kMin},
                                  {65535, -1000},
                                  {65535, -1},
                                  {65535, 0},
                                  {65535, 1},
                                  {65535, 4400},
                                  {65535, 124290},
                                  {65535, kMax}}};
         WriteFile(s.folder / "extreme.dat", DatOf(ExtremeFrames(first)));
         Arranged a = Succeeds({s.folder / "extreme.dat", "--channels", "8", "--source", "fm"},
                               "extreme.voi");
         a.check = [voi = s.folder / "extreme.voi"](const Outcome&, double) {
           const std::string bytes = ReadFile(voi);
           EXPECT_EQ(RecordOf(bytes, 1), "F2 DF");
           EXPECT_EQ(RecordOf(bytes, 3), "00 0F");
           EXPECT_EQ(RecordOf(bytes, 5), "22 7F");
           EXPECT_EQ(RecordOf(bytes, 6), "00 1F");
         };
         return a;
       }},

      // --- The VOI file cannot be written: the previous one stays byte for
      // byte and no temporary file is left.
      {"ReadOnlyMount", Needs::root, 1,
       [](Scene& s) {
         SmallDisk& disk = s.disk.emplace(256);
         WriteFile(disk / "song.dat", MakeDat(50));
         WriteFile(disk / "song.voi", kPrevious);
         Arranged a = Fails({disk / "song.dat"}, kCannotCreate);
         if (!disk.MakeReadOnly())
           a.skip = "the small disk cannot be made read-only";
         return a;
       }},
      {"UnwritableFolder", Needs::unprivilegedUser, 1,
       [](Scene& s) {
         WriteFile(s.folder / "song.dat", MakeDat(3));
         WriteFile(s.folder / "song.voi", kPrevious);
         ::chmod(s.folder.path().c_str(), 0555);
         Arranged a = Fails({s.folder / "song.dat"}, kCannotCreate);
         a.options.asUnprivilegedUser = true;
         return a;
       }},
      {"ReadOnlyVoi", Needs::unprivilegedUser, 1,
       [](Scene& s) {
         WriteFile(s.folder / "song.dat", MakeDat(3));
         WriteFile(s.folder / "song.voi", kPrevious);
         ::chmod(s.folder.path().c_str(), 0777);
         ::chmod((s.folder / "song.voi").c_str(), 0444);
         Arranged a = Fails({s.folder / "song.dat"}, kCannotCreate);
         a.options.asUnprivilegedUser = true;
         return a;
       }},
      {"FolderAtTheVoiPath", Needs::nothing, 1,
       [](Scene& s) {
         WriteFile(s.folder / "song.dat", MakeDat(3));
         ::mkdir((s.folder / "song.voi").c_str(), 0755);
         WriteFile(s.folder / "song.voi/inside", kPrevious);
         return Fails({s.folder / "song.dat"}, kCannotCreate);
       }},
      // Room for the DAT file and the old VOI, none for a new one.
      {"FullDisk", Needs::root, 1,
       [](Scene& s) {
         SmallDisk& disk = s.disk.emplace(12);
         WriteFile(disk / "song.dat", MakeDat(100));  // 6464 bytes: two pages
         WriteFile(disk / "song.voi", kPrevious);     // one page
         return Fails({disk / "song.dat", "--channels", "8"}, kCannotCreate);
       }},
      // The folder is moved away once the file is loaded, while the search
      // still runs: the VOI's folder is missing when it is written.
      {"OutputFolderVanishes", Needs::nothing, 1,
       [](Scene& s) {
         const std::string work = s.folder / "work";
         const std::string gone = s.folder / "gone";
         ::mkdir(work.c_str(), 0755);
         WriteFile(work + "/song.dat", MakeDat(600, 3));
         Arranged a = Fails({work + "/song.dat", "--channels", "8", "--search", "exhaustive"},
                            kCannotCreate);
         auto watch = std::make_shared<int>(-1);
         a.beforeRun = [watch, work] {
           *watch = ::inotify_init1(IN_CLOEXEC);
           ::inotify_add_watch(*watch, (work + "/song.dat").c_str(), IN_CLOSE_NOWRITE);
         };
         a.options.whileRunning = [watch, work, gone](int) {
           pollfd ready = {*watch, POLLIN, 0};
           EXPECT_EQ(::poll(&ready, 1, 30000), 1) << "the tool never finished loading";
           EXPECT_EQ(::rename(work.c_str(), gone.c_str()), 0);
           ::close(*watch);
         };
         a.check = [work, gone](const Outcome&, double) {
           EXPECT_EQ(::rename(gone.c_str(), work.c_str()), 0);
         };
         return a;
       }},

      // --- Paths the tool must take as they are.
      // A link at the VOI's path that points at the DAT file itself: the link
      // is replaced by the new VOI and the recording is untouched.
      {"LinkAtTheVoiPathToTheDat", Needs::nothing, 0,
       [](Scene& s) {
         WriteFile(s.folder / "song.dat", MakeDat(2));
         ::symlink("song.dat", (s.folder / "song.voi").c_str());
         Arranged a = Succeeds({s.folder / "song.dat"}, "song.voi");
         a.check = [voi = s.folder / "song.voi"](const Outcome&, double) {
           struct stat status;
           ASSERT_EQ(::lstat(voi.c_str(), &status), 0);
           EXPECT_TRUE(S_ISREG(status.st_mode));
           EXPECT_EQ(status.st_size, 256);
         };
         return a;
       }},
      // 4095 bytes, the longest path the system takes, in names of up to 255.
      {"LongestPathTheSystemTakes", Needs::nothing, 0,
       [](Scene& s) {
         const std::string dat = MakeDeepDat(s.folder.path(), 4095);
         const std::string voi = dat.substr(s.folder.path().size() + 1);
         return Succeeds({dat}, voi.substr(0, voi.size() - 4) + ".voi");
       }},
      {"PathLongerThanTheSystemTakes", Needs::nothing, 1,
       [](Scene& s) { return Fails({MakeDeepDat(s.folder.path(), 4200)}, kCannotOpen); }},

      // --- The user stops a long search with Ctrl-C.
      {"CtrlCDuringTheSearch", Needs::nothing, 130,
       [](Scene& s) {
         WriteFile(s.folder / "long.dat", MakeDat(35999, 7));
         WriteFile(s.folder / "long.voi", kPrevious);
         Arranged a = Fails({s.folder / "long.dat", "--channels", "8", "--search", "exhaustive"},
                            kCancelled);
         a.options.whileRunning = [](int pid) {
           // Loading and preparing take a fraction of this; the exhaustive
           // search of 35999 frames of eight channels takes far longer.
           std::this_thread::sleep_for(std::chrono::milliseconds(1500));
           ::kill(pid, SIGINT);
         };
         a.check = [](const Outcome&, double seconds) {
           EXPECT_LT(seconds, 10.0) << "one Ctrl-C is enough";
         };
         return a;
       }},
  };
}

// Many-file rows print hundreds of lines: name the first that differs.
void ExpectSameText(const std::string& actual, const std::string& expected, const char* stream) {
  if (actual == expected)
    return;
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
    ++at;
  const std::size_t newline = at == 0 ? std::string::npos : expected.rfind('\n', at - 1);
  const std::size_t line = newline == std::string::npos ? 0 : newline + 1;
  ADD_FAILURE() << stream << " differs from line "
                << std::count(expected.begin(),
                              expected.begin() + static_cast<std::ptrdiff_t>(line), '\n') +
                       1
                << ":\n  printed:  " << actual.substr(line, actual.find('\n', line) - line)
                << "\n  expected: " << expected.substr(line, expected.find('\n', line) - line);
}

FolderSnapshot SnapshotOf(const Scene& scene) {
  FolderSnapshot snapshot = TakeSnapshot(scene.folder.path());
  if (scene.disk) {
    for (auto& [name, entry] : TakeSnapshot(scene.disk->path()))
      snapshot["(disk)/" + name] = entry;
  }
  return snapshot;
}

class FailureMatrix : public ::testing::TestWithParam<Row> {};

TEST_P(FailureMatrix, EndsWithOneMessageAndLosesNothing) {
  const Row& row = GetParam();
  if (row.needs == Needs::root && !IsRoot())
    GTEST_SKIP() << "mounting a small file system needs root";
  if (row.needs == Needs::unprivilegedUser && IsRoot() && !CanRunUnprivileged())
    GTEST_SKIP() << "root reads and writes anything, and setpriv is missing or nobody cannot "
                    "reach the built tool";

  Scene scene;
  Arranged arranged = row.arrange(scene);
  if (!arranged.skip.empty())
    GTEST_SKIP() << arranged.skip;
  if (scene.disk && !arranged.newVoi.empty())
    arranged.newVoi = "(disk)/" + arranged.newVoi;

  FolderSnapshot before = SnapshotOf(scene);
  if (arranged.beforeRun)
    arranged.beforeRun();
  std::vector<std::string> args = {"convert"};
  args.insert(args.end(), arranged.args.begin(), arranged.args.end());
  arranged.options.environment.push_back("LARKFOLD_POOL_REPORT=1");
  arranged.options.timeoutSeconds = 300;  // a hang fails the row instead of the whole run
  const auto start = std::chrono::steady_clock::now();
  Outcome outcome = RunTool(args, arranged.options);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // The tool's last line says how many blocks its pool still holds.
  const std::size_t report = outcome.err.rfind(kPoolReport);
  ASSERT_NE(report, std::string::npos) << "no pool report in: " << outcome.err;
  EXPECT_EQ(outcome.err.substr(report), kPoolReport + "0\n") << "the pool kept a block";
  outcome.err.erase(report);

  EXPECT_EQ(outcome.status, row.status);
  ExpectSameText(outcome.out, arranged.out, "standard output");
  ExpectSameText(outcome.err, arranged.err, "standard error");
  if (arranged.check)
    arranged.check(outcome, seconds);

  FolderSnapshot after = SnapshotOf(scene);
  if (!arranged.newVoi.empty()) {
    ASSERT_EQ(after.count(arranged.newVoi), 1u) << "no VOI at " << arranged.newVoi;
    EXPECT_EQ(after[arranged.newVoi].kind, 'f');
    before.erase(arranged.newVoi);
    after.erase(arranged.newVoi);
  }
  EXPECT_TRUE(before == after) << DescribeDifferences(before, after);
}

INSTANTIATE_TEST_SUITE_P(Rows, FailureMatrix, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
}  // namespace larkfold::e2e

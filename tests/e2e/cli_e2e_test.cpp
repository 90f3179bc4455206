// The command-line tool as a user meets it: its contract, every message a
// conversion can end with on this system, and nothing lost on the way.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "tests/e2e/e2e_support.h"

namespace larkfold::e2e {
namespace {

const std::string kPrevious = "an older VOI that must survive";

TEST(CommandLine, HelpAndVersionSucceed) {
  const Outcome help = RunTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("convert"), std::string::npos);
  const Outcome convertHelp = RunTool({"convert", "--help"});
  EXPECT_EQ(convertHelp.status, 0);
  for (const char* option :
       {"--source", "--channels", "--volume", "--speed", "--search", "--quiet", "Exit status"}) {
    EXPECT_NE(convertHelp.out.find(option), std::string::npos) << option;
  }
  const Outcome version = RunTool({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "larkfold 1.0.0.1\n");
}

TEST(CommandLine, AWrongCommandLineExitsWithTwoAndTouchesNothing) {
  TemporaryFolder folder;
  WriteFile(folder / "a.dat", MakeDat(3));
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"convert"},
      {"convert", folder / "a.dat", "--channels", "9"},
      {"convert", folder / "a.dat", "--channels", "2"},
      {"convert", folder / "a.dat", "--source", "opl"},
      {"convert", folder / "a.dat", "--search", "quick"},
      {"convert", folder / "a.dat", "--frobnicate"},
      {"transmogrify", folder / "a.dat"},
  };
  for (const auto& args : wrong) {
    const Outcome outcome = RunTool(args);
    EXPECT_EQ(outcome.status, 2) << (args.empty() ? "(none)" : args.back());
    EXPECT_FALSE(outcome.err.empty());
  }
  EXPECT_FALSE(Exists(folder / "a.voi"));
}

TEST(Convert, WritesTheVoiNextToTheDatWithTheDialogDefaults) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", MakeDat(100));
  const Outcome outcome = RunTool({"convert", folder / "song.dat"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "終了しました\n");
  EXPECT_EQ(outcome.err, "");
  const std::string voi = ReadFile(folder / "song.voi");
  ASSERT_EQ(voi.size(), 1024u);  // 4 + 100 * 5 * 2 = 1004
  EXPECT_EQ(voi.substr(0, 4), std::string("\x04\x05\x64\x00", 4));
}

TEST(Convert, TakesTheIssuedExampleSettings) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", MakeDat(100));
  const Outcome outcome = RunTool({"convert", folder / "song.dat", "--source", "fm", "--channels",
                                   "6", "--volume", "120", "--speed", "0.95"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  const std::string voi = ReadFile(folder / "song.voi");
  EXPECT_EQ(voi.substr(0, 4), std::string("\x03\x06\x69\x00", 4)) << "105 frames at 0.95";
}

TEST(Convert, ReplacesAnExistingVoiWhollyAndKeepsItsMode) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", MakeDat(2));
  WriteFile(folder / "song.voi", std::string(5000, 'x'));
  ::chmod((folder / "song.voi").c_str(), 0640);
  ASSERT_EQ(RunTool({"convert", folder / "song.dat"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "song.voi").size(), 256u);
  struct stat status;
  ASSERT_EQ(::stat((folder / "song.voi").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(Convert, ASymbolicLinkAtTheOutputPathIsReplacedAndItsTargetKept) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", MakeDat(2));
  WriteFile(folder / "target", kPrevious);
  ASSERT_EQ(::symlink((folder / "target").c_str(), (folder / "song.voi").c_str()), 0);
  ASSERT_EQ(RunTool({"convert", folder / "song.dat"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "target"), kPrevious);
  struct stat status;
  ASSERT_EQ(::lstat((folder / "song.voi").c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
}

struct RejectCase {
  std::vector<std::string> settings;
  const char* file;
  const char* warning;
};

TEST(Convert, ARejectedSettingShowsItsWarningAndExitsWithTwo) {
  TemporaryFolder folder;
  WriteFile(folder / "a.dat", MakeDat(3));
  WriteFile(folder / "a.txt", MakeDat(3));
  const RejectCase cases[] = {
      {{"--speed", "1.11"}, "a.dat", "速度を0.9 - 1.1までに指定して下さい"},
      {{"--speed", "inf"}, "a.dat", "速度を0.9 - 1.1までに指定して下さい"},
      {{"--speed", "2", "--volume", "500"}, "a.txt", "速度を0.9 - 1.1までに指定して下さい"},
      {{"--volume", "19"}, "a.dat", "音量(%)を20-200までに指定して下さい"},
      {{"--volume", "-5"}, "a.dat", "音量(%)を20-200までに指定して下さい"},
      {{"--volume", "4294967396"}, "a.dat", "音量(%)を20-200までに指定して下さい"},
      {{}, "a.txt", "DATファイルを指定して下さい"},
  };
  for (const RejectCase& c : cases) {
    std::vector<std::string> args = {"convert", folder / c.file};
    args.insert(args.end(), c.settings.begin(), c.settings.end());
    const Outcome outcome = RunTool(args);
    EXPECT_EQ(outcome.status, 2) << c.warning;
    EXPECT_EQ(outcome.err, std::string(c.warning) + "\n");
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_EQ(FolderEntries(folder.path()).size(), 2u);
}

TEST(Convert, AcceptsTheSettingsAtTheirBounds) {
  TemporaryFolder folder;
  WriteFile(folder / "A.DAT", MakeDat(3));
  for (const auto& settings :
       std::vector<std::vector<std::string>>{{"--speed", "0.9", "--volume", "20"},
                                             {"--speed", "1.1", "--volume", "200"},
                                             {"--speed", "11d-1", "--volume", "150.9"},
                                             {"--speed", " 1.05x", "--volume", "100%"}}) {
    std::vector<std::string> args = {"convert", folder / "A.DAT"};
    args.insert(args.end(), settings.begin(), settings.end());
    EXPECT_EQ(RunTool(args).status, 0) << settings[1] << " " << settings[3];
  }
  EXPECT_TRUE(Exists(folder / "A.voi"));
}

struct FailureCase {
  const char* name;
  std::string bytes;
  const char* message;
};

TEST(Convert, ABadInputFileEndsWithItsMessageAndNoVoi) {
  TemporaryFolder folder;
  const FailureCase cases[] = {
      {"empty.dat", "", "データがありません"},
      {"short.dat", std::string(63, '\x3C'), "データがありません"},
      {"rate.dat", MakeDat(10, 1, 61), "発音単位が1/60秒ではありません"},
      {"large.dat", std::string(36001 * 64, '\0'), "データが大き過ぎます"},
  };
  for (const FailureCase& c : cases) {
    WriteFile(folder / c.name, c.bytes);
    const Outcome outcome = RunTool({"convert", folder / c.name});
    EXPECT_EQ(outcome.status, 1) << c.name;
    EXPECT_EQ(outcome.err, std::string(c.message) + "\n") << c.name;
  }
  for (const std::string& name : FolderEntries(folder.path())) {
    EXPECT_EQ(name.substr(name.size() - 4), ".dat") << "no output: " << name;
  }
}

TEST(Convert, AFileThatCannotBeOpenedGivesTheLoadersMessages) {
  TemporaryFolder folder;
  ::mkdir((folder / "folder.dat").c_str(), 0755);
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {folder / "missing.dat", "ファイルが見つかりません"},
      {folder / "no/such/folder/a.dat", "ファイルをオープンできません"},
      {folder / "folder.dat", "ファイルをオープンできません"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunTool({"convert", c.path});
    EXPECT_EQ(outcome.status, 1) << c.path;
    EXPECT_EQ(outcome.err, std::string(c.message) + "\n") << c.path;
  }
}

TEST(Convert, AnUnreadableFileCannotBeOpened) {
  if (IsRoot() && !CanRunUnprivileged())
    GTEST_SKIP() << "root reads any file and setpriv is missing";
  TemporaryFolder folder;
  WriteFile(folder / "locked.dat", MakeDat(3));
  ::chmod((folder / "locked.dat").c_str(), 0000);
  RunOptions options;
  options.asUnprivilegedUser = true;
  const Outcome outcome = RunTool({"convert", folder / "locked.dat"}, options);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "ファイルをオープンできません\n");
}

// Every write failure: one message, exit 1, the old VOI byte for byte, no temporary file.
void ExpectWriteRefused(const Outcome& outcome, const std::string& folder, const std::string& voi,
                        std::size_t entries) {
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "ファイルを作成できませんでした\n");
  EXPECT_EQ(ReadFile(voi), kPrevious);
  EXPECT_EQ(FolderEntries(folder).size(), entries) << "no temporary file left behind";
}

TEST(Convert, AFolderAtTheOutputPathIsLeftAlone) {
  TemporaryFolder folder;
  WriteFile(folder / "song.dat", MakeDat(3));
  ::mkdir((folder / "song.voi").c_str(), 0755);
  WriteFile(folder / "song.voi/inside", kPrevious);
  const Outcome outcome = RunTool({"convert", folder / "song.dat"});
  ExpectWriteRefused(outcome, folder.path(), folder / "song.voi/inside", 2);
}

TEST(Convert, AReadOnlyFolderKeepsThePreviousVoi) {
  SmallDisk disk(256);
  if (!disk.mounted())
    GTEST_SKIP() << "mounting a file system needs root";
  WriteFile(disk / "song.dat", MakeDat(50));
  WriteFile(disk / "song.voi", kPrevious);
  ASSERT_TRUE(disk.MakeReadOnly());
  ExpectWriteRefused(RunTool({"convert", disk / "song.dat"}), disk.path(), disk / "song.voi", 2);
}

TEST(Convert, AFullDiskKeepsThePreviousVoi) {
  // Room for the DAT file and the old VOI, none for a new one.
  SmallDisk disk(12);
  if (!disk.mounted())
    GTEST_SKIP() << "mounting a file system needs root";
  WriteFile(disk / "song.dat", MakeDat(100));  // 6464 bytes: two pages
  WriteFile(disk / "song.voi", kPrevious);     // one page
  ExpectWriteRefused(RunTool({"convert", disk / "song.dat", "--channels", "8"}), disk.path(),
                     disk / "song.voi", 2);
}

TEST(Convert, AnUnwritableFolderOrFileKeepsThePreviousVoi) {
  if (IsRoot() && !CanRunUnprivileged())
    GTEST_SKIP() << "root writes anywhere and setpriv is missing";
  RunOptions options;
  options.asUnprivilegedUser = true;
  {
    TemporaryFolder folder;
    WriteFile(folder / "song.dat", MakeDat(3));
    WriteFile(folder / "song.voi", kPrevious);
    ::chmod(folder.path().c_str(), 0555);
    ExpectWriteRefused(RunTool({"convert", folder / "song.dat"}, options), folder.path(),
                       folder / "song.voi", 2);
  }
  {
    TemporaryFolder folder;
    WriteFile(folder / "song.dat", MakeDat(3));
    WriteFile(folder / "song.voi", kPrevious);
    ::chmod(folder.path().c_str(), 0777);
    ::chmod((folder / "song.voi").c_str(), 0444);
    ExpectWriteRefused(RunTool({"convert", folder / "song.dat"}, options), folder.path(),
                       folder / "song.voi", 2);
  }
}

TEST(Convert, SeveralFilesArePrefixedAndTheWorstOutcomeIsTheStatus) {
  TemporaryFolder folder;
  WriteFile(folder / "a.dat", MakeDat(3));
  WriteFile(folder / "b.dat", "");
  const Outcome outcome =
      RunTool({"convert", folder / "a.dat", folder / "b.dat", folder / "c.txt"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.out, folder / "a.dat" + ": 終了しました\n");
  EXPECT_EQ(outcome.err, folder / "b.dat" + ": データがありません\n" + folder / "c.txt" +
                             ": DATファイルを指定して下さい\n");

  const Outcome failed = RunTool({"convert", folder / "b.dat", folder / "a.dat"});
  EXPECT_EQ(failed.status, 1);
}

TEST(Convert, CtrlCStopsALongSearchAndKeepsThePreviousVoi) {
  TemporaryFolder folder;
  WriteFile(folder / "long.dat", MakeDat(35999, 7));
  WriteFile(folder / "long.voi", kPrevious);
  RunOptions options;
  options.whileRunning = [](int pid) {
    // Loading and preparing take a fraction of this; the exhaustive search
    // of 35999 frames of eight channels takes far longer.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ::kill(pid, SIGINT);
  };
  const auto start = std::chrono::steady_clock::now();
  const Outcome outcome = RunTool(
      {"convert", folder / "long.dat", "--channels", "8", "--search", "exhaustive"}, options);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(outcome.status, 130);
  EXPECT_EQ(outcome.err, "中止しました\n");
  EXPECT_EQ(outcome.out, "");
  EXPECT_LT(elapsed, std::chrono::seconds(10)) << "one Ctrl-C is enough";
  EXPECT_EQ(ReadFile(folder / "long.voi"), kPrevious);
  EXPECT_EQ(FolderEntries(folder.path()).size(), 2u);
}

}  // namespace
}  // namespace larkfold::e2e

// The command-line tool as a user meets it: its contract, its settings and its
// messages for several files. What a fault ends with is failure_matrix_test.cpp.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/e2e/e2e_support.h"

namespace larkfold::e2e {
namespace {

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

}  // namespace
}  // namespace larkfold::e2e

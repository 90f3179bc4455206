// The progress line as a user sees it on a terminal.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "tests/e2e/e2e_support.h"

namespace larkfold::e2e {
namespace {

// Runs the tool with a pseudo-terminal as its standard streams; returns what
// the terminal received.
std::string RunOnTerminal(std::vector<std::string> args, int& status) {
  args.insert(args.begin(), ToolPath());
  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    std::vector<char*> argv;
    for (std::string& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  std::string screen;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got <= 0)
      break;  // EIO once the child has closed the terminal
    screen.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(master);
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return screen;
}

std::string SlowDat(const TemporaryFolder& folder) {
  // 400 frames of eight moving channels: the exhaustive search takes long
  // enough (well over 100 ms) for several progress polls.
  std::string bytes(401 * 64, '\0');
  for (int i = 0; i < 400; ++i) {
    for (int c = 0; c < 8; ++c) {
      const std::int32_t amplitude = 2000 + ((i * 37 + c * 1013) % 30000);
      const std::int32_t frequency = 1000 + ((i * 53 + c * 701) % 9000);
      std::memcpy(&bytes[i * 64 + c * 8], &amplitude, 4);
      std::memcpy(&bytes[i * 64 + c * 8 + 4], &frequency, 4);
    }
  }
  const std::int32_t rate = 60;
  std::memcpy(&bytes[400 * 64 + 60], &rate, 4);
  const std::string path = folder / "slow.dat";
  WriteFile(path, bytes);
  return path;
}

TEST(ProgressLine, IsRedrawnOnATerminalAndClearedBeforeTheMessage) {
  TemporaryFolder folder;
  const std::string dat = SlowDat(folder);
  int status = -1;
  const std::string screen =
      RunOnTerminal({"convert", dat, "--channels", "8", "--search", "exhaustive"}, status);
  EXPECT_EQ(status, 0);
  const std::size_t first = screen.find("\r残り時間約");
  ASSERT_NE(first, std::string::npos) << screen;
  EXPECT_NE(screen.find("/400"), std::string::npos) << "the frame position is shown";
  const std::size_t message = screen.find("終了しました");
  ASSERT_NE(message, std::string::npos);
  EXPECT_LT(first, message);
  EXPECT_EQ(screen.rfind("\r\x1b[K", message), message - 4) << "the line is cleared first";
}

TEST(ProgressLine, IsNotDrawnWhenQuiet) {
  TemporaryFolder folder;
  const std::string dat = SlowDat(folder);
  int status = -1;
  const std::string screen = RunOnTerminal(
      {"convert", dat, "--channels", "8", "--search", "exhaustive", "--quiet"}, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(screen.find("残り時間約"), std::string::npos) << screen;
  EXPECT_NE(screen.find("終了しました"), std::string::npos);
}

TEST(ProgressLine, IsNotDrawnWhenStandardErrorIsNotATerminal) {
  TemporaryFolder folder;
  const Outcome outcome =
      RunTool({"convert", SlowDat(folder), "--channels", "8", "--search", "exhaustive"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
}

}  // namespace
}  // namespace larkfold::e2e

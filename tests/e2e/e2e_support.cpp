#include "tests/e2e/e2e_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace larkfold::e2e {

std::string ToolPath() {
  return LARKFOLD_TOOL_PATH;
}

bool IsRoot() {
  return ::geteuid() == 0;
}

bool CanRunUnprivileged() {
  if (!IsRoot() || ::access("/usr/bin/setpriv", X_OK) != 0)
    return false;
  // A build under a folder that only root may enter cannot be run as nobody.
  static const bool reachable = [] {
    const pid_t pid = ::fork();
    if (pid == 0) {
      const bool can = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 &&
                       ::setuid(65534) == 0 && ::access(LARKFOLD_TOOL_PATH, X_OK) == 0;
      ::_exit(can ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
  }();
  return reachable;
}

namespace {

void Drain(int fd, std::string& into) {
  char buffer[4096];
  const ssize_t got = ::read(fd, buffer, sizeof buffer);
  if (got > 0)
    into.append(buffer, static_cast<std::size_t>(got));
}

}  // namespace

Outcome RunTool(const std::vector<std::string>& args, const RunOptions& options) {
  std::vector<std::string> command;
  if (options.asUnprivilegedUser && IsRoot()) {
    command = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
  }
  command.push_back(ToolPath());
  command.insert(command.end(), args.begin(), args.end());

  int outPipe[2];
  int errPipe[2];
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0)
    throw std::runtime_error("pipe");
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    for (const std::string& entry : options.environment)
      ::putenv(const_cast<char*>(entry.c_str()));
    std::vector<char*> argv;
    for (std::string& part : command)
      argv.push_back(part.data());
    argv.push_back(nullptr);
    ::execve(argv[0], argv.data(), environ);
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);

  Outcome outcome;
  if (options.whileRunning)
    options.whileRunning(pid);
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  bool killed = false;
  while (open > 0) {
    int wait = -1;
    if (options.timeoutSeconds > 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 && !killed) {
        ::kill(pid, SIGKILL);
        killed = true;
      }
      wait = killed ? -1 : static_cast<int>(left.count()) + 1;
    }
    if (::poll(fds, 2, wait) < 0 && errno != EINTR)
      break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP)) != 0) {
        std::string& into = i == 0 ? outcome.out : outcome.err;
        const std::size_t before = into.size();
        Drain(fds[i].fd, into);
        if (into.size() == before) {
          ::close(fds[i].fd);
          fds[i].fd = -1;
          --open;
        } else if (options.onOutput) {
          options.onOutput(pid, outcome);
        }
      }
    }
  }
  int status = 0;
  rusage usage = {};
  ::wait4(pid, &status, 0, &usage);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  outcome.peakResidentKilobytes = usage.ru_maxrss;
  return outcome;
}

TemporaryFolder::TemporaryFolder() {
  std::string pattern = "/tmp/larkfold-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp");
  path_ = pattern;
  ::chmod(path_.c_str(), 0755);  // reachable by the unprivileged user
}

TemporaryFolder::~TemporaryFolder() {
  const std::string command = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0) {
    // Nothing more can be done about a folder that will not go.
  }
}

SmallDisk::SmallDisk(int kilobytes) {
  if (!IsRoot())
    return;
  const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
  mounted_ = ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_)
    ::umount2(folder_.path().c_str(), MNT_DETACH);
}

bool SmallDisk::MakeReadOnly() {
  return ::mount("tmpfs", folder_.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

std::string MakeDat(int frames, std::uint32_t seed, std::int32_t frameRate) {
  std::string bytes(static_cast<std::size_t>(frames + 1) * 64, '\0');
  std::uint32_t state = seed;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < 8; ++c) {
      const std::int32_t amplitude = static_cast<std::int32_t>(next() % 40000);
      const std::int32_t frequency = static_cast<std::int32_t>(500 + next() % 20000);
      std::memcpy(&bytes[static_cast<std::size_t>(i) * 64 + c * 8], &amplitude, 4);
      std::memcpy(&bytes[static_cast<std::size_t>(i) * 64 + c * 8 + 4], &frequency, 4);
    }
  }
  std::memcpy(&bytes[static_cast<std::size_t>(frames) * 64 + 60], &frameRate, 4);
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0;
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(path.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..")
        names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

}  // namespace larkfold::e2e

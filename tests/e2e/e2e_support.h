// Running the built command-line tool on real files, for the end-to-end tests.
#pragma once

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace larkfold::e2e {

struct Outcome {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
  long peakResidentKilobytes = 0;  // the child's largest resident set, from wait4
};

struct RunOptions {
  std::vector<std::string> environment;  // NAME=value, added to ours
  bool asUnprivilegedUser = false;       // run as nobody (when we are root)
  // Called with the child's process id once it runs; may signal it.
  std::function<void(int pid)> whileRunning;
  // Called after every piece of output, with the child's process id and all it
  // has printed so far.
  std::function<void(int pid, const Outcome& soFar)> onOutput;
  // A child still running after this many seconds is killed (0: never).
  int timeoutSeconds = 0;
};

// The tool built beside the tests.
std::string ToolPath();

Outcome RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

// Whether the tests can make a user that root's privileges do not cover, and
// that user can reach the tool.
bool CanRunUnprivileged();
bool IsRoot();

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A tmpfs of `kilobytes` mounted on a new folder, unmounted when done. Needs root.
class SmallDisk {
 public:
  explicit SmallDisk(int kilobytes);
  ~SmallDisk();
  bool mounted() const { return mounted_; }
  const std::string& path() const { return folder_.path(); }
  std::string operator/(const std::string& name) const { return folder_ / name; }
  bool MakeReadOnly();

 private:
  TemporaryFolder folder_;
  bool mounted_ = false;
};

// A DAT file of `frames` frames of eight pseudo-random channels (amplitudes
// 0..39999, 50.0 to 2049.9 Hz), closed by a trailer that holds `frameRate`.
std::string MakeDat(int frames, std::uint32_t seed = 1, std::int32_t frameRate = 60);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
std::vector<std::string> FolderEntries(const std::string& path);

}  // namespace larkfold::e2e

// Running the built command-line tool on real files, for the end-to-end tests.
#pragma once

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace larkfold::e2e {

struct Outcome {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

struct RunOptions {
  std::vector<std::string> environment;  // NAME=value, added to ours
  bool asUnprivilegedUser = false;       // run as nobody (when we are root)
  // Called with the child's process id once it runs; may signal it.
  std::function<void(int pid)> whileRunning;
};

// The tool built beside the tests.
std::string ToolPath();

Outcome RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

// Whether the tests can make a user that root's privileges do not cover.
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

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
std::vector<std::string> FolderEntries(const std::string& path);

}  // namespace larkfold::e2e

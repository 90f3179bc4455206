#include "tests/e2e/folder_snapshot.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

namespace larkfold::e2e {
namespace {

// Larger files (a sparse test file of gigabytes) are compared by size and time.
constexpr off_t kLargestComparedFile = 64 << 20;

std::string ReadAll(int fd) {
  std::string bytes;
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
    bytes.append(buffer, static_cast<std::size_t>(got));
  return bytes;
}

SnapshotEntry Describe(int folderFd, const char* name, const struct stat& status) {
  SnapshotEntry entry;
  entry.mode = status.st_mode & 07777;
  if (S_ISDIR(status.st_mode)) {
    entry.kind = 'd';
  } else if (S_ISLNK(status.st_mode)) {
    entry.kind = 'l';
    char target[4096];
    const ssize_t length = ::readlinkat(folderFd, name, target, sizeof target);
    entry.content.assign(target, length > 0 ? static_cast<std::size_t>(length) : 0);
  } else if (S_ISFIFO(status.st_mode)) {
    entry.kind = 'p';
  } else if (S_ISREG(status.st_mode)) {
    entry.kind = 'f';
    if (status.st_size > kLargestComparedFile) {
      entry.content = "size " + std::to_string(status.st_size) + ", modified " +
                      std::to_string(status.st_mtim.tv_sec) + "." +
                      std::to_string(status.st_mtim.tv_nsec);
    } else if (const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
               fd >= 0) {
      entry.content = ReadAll(fd);
      ::close(fd);
    } else {
      entry.content = "(unreadable)";
    }
  }
  return entry;
}

void Walk(int folderFd, const std::string& prefix, FolderSnapshot& snapshot) {
  const int listFd = ::dup(folderFd);
  DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
  if (dir == nullptr) {
    if (listFd >= 0)
      ::close(listFd);
    return;
  }
  std::set<std::string> names;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.insert(name);
  }
  ::closedir(dir);

  for (const std::string& name : names) {
    struct stat status;
    if (::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    snapshot[prefix + name] = Describe(folderFd, name.c_str(), status);
    if (S_ISDIR(status.st_mode)) {
      const int childFd =
          ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
      if (childFd >= 0) {
        Walk(childFd, prefix + name + "/", snapshot);
        ::close(childFd);
      }
    }
  }
}

}  // namespace

FolderSnapshot TakeSnapshot(const std::string& folder) {
  FolderSnapshot snapshot;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    Walk(fd, "", snapshot);
    ::close(fd);
  }
  return snapshot;
}

std::string DescribeDifferences(const FolderSnapshot& before, const FolderSnapshot& after) {
  std::string lines;
  for (const auto& [name, entry] : before) {
    const auto now = after.find(name);
    if (now == after.end())
      lines += "removed: " + name + "\n";
    else if (!(now->second == entry))
      lines += "changed: " + name + "\n";
  }
  for (const auto& [name, entry] : after) {
    if (before.find(name) == before.end())
      lines += "created: " + name + "\n";
  }
  return lines;
}

}  // namespace larkfold::e2e

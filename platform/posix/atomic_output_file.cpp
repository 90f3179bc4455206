#include "platform/atomic_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/errno_cause.h"

namespace larkfold {
namespace {

[[noreturn]] void Raise(int cause, int osError, const std::string& path,
                        CFileException::Operation operation) {
  throw CFileException(cause, osError, path, operation);
}

bool Fail(CFileException* error, int osError, const std::string& path) {
  if (error != nullptr) {
    *error =
        CFileException(CauseFromErrno(osError), osError, path, CFileException::Operation::open);
  }
  return false;
}

// A name of fixed length, so that a long target name cannot make it too long.
std::string TemporaryName(const std::string& folder, int attempt) {
  return folder + "/.larkfold-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) +
         ".tmp";
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
  }
}

bool AtomicOutputFile::Open(const std::string& path, CFileException* error) {
  // What stands at the path must be something the program may replace: a
  // writable regular file, or a link (the link is replaced, not its target).
  mode_t mode = 0666;
  bool keepMode = false;
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0) {
    if (S_ISDIR(status.st_mode)) {
      return Fail(error, EISDIR, path);
    }
    if (!S_ISLNK(status.st_mode)) {
      if (!S_ISREG(status.st_mode)) {
        return Fail(error, EACCES, path);
      }
      if (::access(path.c_str(), W_OK) != 0) {
        return Fail(error, errno, path);
      }
      mode = status.st_mode & 07777;
      keepMode = true;
    }
  } else if (errno != ENOENT) {
    return Fail(error, errno, path);
  }

  const std::string folder = ParentFolder(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = TemporaryName(folder, attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      if (keepMode) {
        ::fchmod(fd, mode);
      }
      handle_ = fd;
      target_ = path;
      temporary_ = name;
      return true;
    }
    if (errno != EEXIST) {
      return Fail(error, errno, path);
    }
  }
  return Fail(error, EEXIST, path);
}

void AtomicOutputFile::Write(const void* data, std::uint32_t count) {
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t put =
        ::write(static_cast<int>(handle_), static_cast<const char*>(data) + done, count - done);
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      Raise(CauseFromErrno(errno), errno, target_, CFileException::Operation::write);
    }
    if (put == 0) {
      Raise(CFileException::diskFull, -1, target_, CFileException::Operation::write);
    }
    done += static_cast<std::uint32_t>(put);
  }
}

void AtomicOutputFile::Commit() {
  const int fd = static_cast<int>(handle_);
  if (::fsync(fd) != 0) {
    Raise(CauseFromErrno(errno), errno, target_, CFileException::Operation::write);
  }
  handle_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    Raise(CauseFromErrno(errno), errno, target_, CFileException::Operation::close);
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Raise(CauseFromErrno(errno), errno, target_, CFileException::Operation::replace);
  }
  temporary_.clear();
  SyncFolder(ParentFolder(target_));
}

}  // namespace larkfold

#include "platform/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/errno_cause.h"

namespace larkfold {

int CauseFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return CFileException::badPath;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return CFileException::accessDenied;
    case EMFILE:
    case ENFILE:
      return CFileException::tooManyOpenFiles;
    case EWOULDBLOCK:
      return CFileException::sharingViolation;
    case ENOSPC:
    case EDQUOT:
      return CFileException::diskFull;
    case EIO:
      return CFileException::hardIO;
    default:
      return CFileException::genericException;
  }
}

std::string ParentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string SystemErrorText(long osError) {
  return std::strerror(static_cast<int>(osError));
}

namespace {

bool Fail(CFileException* error, int cause, int osError, const std::string& path) {
  if (error != nullptr) {
    *error = CFileException(cause, osError, path, CFileException::Operation::open);
  }
  return false;
}

[[noreturn]] void Raise(int osError, const std::string& path, CFileException::Operation operation) {
  throw CFileException(CauseFromErrno(osError), osError, path, operation);
}

bool IsFolder(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

CFile::~CFile() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
}

bool CFile::Open(const std::string& path, unsigned /*flags: reading is the only mode*/,
                 CFileException* error) {
  // Non-blocking, so that a FIFO or device named by mistake cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    const int openError = errno;
    // A missing file is "not found" only when its folder exists; a missing
    // folder on the way is a bad path.
    if (openError == ENOENT && !IsFolder(ParentFolder(path))) {
      return Fail(error, CFileException::badPath, openError, path);
    }
    return Fail(error, CauseFromErrno(openError), openError, path);
  }

  // Only a regular file is a recording; a folder or device is refused as the
  // system refuses to open a folder as a file.
  struct stat status;
  if (::fstat(fd, &status) != 0) {
    const int statError = errno;
    ::close(fd);
    return Fail(error, CauseFromErrno(statError), statError, path);
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    return Fail(error, CFileException::accessDenied, S_ISDIR(status.st_mode) ? EISDIR : EACCES,
                path);
  }

  // Shared with nobody: an exclusive lock refuses the file while another
  // program that locks it (another conversion, say) holds it.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return Fail(error, CFileException::sharingViolation, EWOULDBLOCK, path);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

  handle_ = fd;
  path_ = path;
  return true;
}

std::uint64_t CFile::GetLength() const {
  struct stat status;
  if (::fstat(static_cast<int>(handle_), &status) != 0) {
    Raise(errno, path_, CFileException::Operation::length);
  }
  return static_cast<std::uint64_t>(status.st_size);
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count) {
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t got =
        ::read(static_cast<int>(handle_), static_cast<char*>(buffer) + done, count - done);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      Raise(errno, path_, CFileException::Operation::read);
    }
    if (got == 0) {
      break;
    }
    done += static_cast<std::uint32_t>(got);
  }
  return done;
}

void CFile::Close() {
  if (handle_ < 0) {
    return;
  }
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    Raise(errno, path_, CFileException::Operation::close);
  }
}

}  // namespace larkfold

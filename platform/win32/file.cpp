#include "platform/file.h"

#include <windows.h>

#include "platform/win32/system_error_cause.h"
#include "platform/win32/wide_text.h"

namespace larkfold {

int CauseFromSystemError(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_MORE_FILES:
    case ERROR_DISK_CHANGE:
      return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return CFileException::accessDenied;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY:
      return CFileException::removeCurrentDir;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return CFileException::badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION:
      return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
      return CFileException::lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
      return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
      return CFileException::endOfFile;
    default:
      return CFileException::genericException;
  }
}

std::wstring FullPathOf(const std::wstring& path) {
  if (path.empty() || path.size() >= MAX_PATH) {
    return std::wstring();
  }
  wchar_t full[MAX_PATH];
  const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) {
    return std::wstring();
  }
  return std::wstring(full, length);
}

std::string SystemErrorText(long osError) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(osError), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0 || text == nullptr) {
    return "エラー " + std::to_string(osError);
  }
  std::wstring message(text, length);
  ::LocalFree(text);
  // The system ends its texts with a line break, and often a full stop before it.
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return Utf8FromWide(message);
}

namespace {

bool Fail(CFileException* error, int cause, long osError, const std::string& path) {
  if (error != nullptr) {
    *error = CFileException(cause, osError, path, CFileException::Operation::open);
  }
  return false;
}

[[noreturn]] void Raise(DWORD osError, const std::string& path,
                        CFileException::Operation operation) {
  throw CFileException(CauseFromSystemError(osError), static_cast<long>(osError), path, operation);
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

CFile::~CFile() {
  if (handle_ != -1) {
    ::CloseHandle(AsHandle(handle_));
  }
}

bool CFile::Open(const std::string& path, unsigned /*flags: reading is the only mode*/,
                 CFileException* error) {
  // A name the system's file functions cannot take whole is refused before
  // the open, with no cause of its own.
  const std::wstring full = FullPathOf(WideFromUtf8(path));
  if (full.empty()) {
    return Fail(error, CFileException::none, -1, path);
  }

  // Share mode 0: no other program may open the file while it is read, and
  // the open fails while another program has it open.
  const HANDLE file = ::CreateFileW(full.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD openError = ::GetLastError();
    return Fail(error, CauseFromSystemError(openError), static_cast<long>(openError), path);
  }

  // Only a file on a disk is a recording: a console, pipe or device named by
  // mistake could block the read or never end.
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return Fail(error, CFileException::accessDenied, ERROR_ACCESS_DENIED, path);
  }

  handle_ = reinterpret_cast<std::intptr_t>(file);
  path_ = path;
  return true;
}

std::uint64_t CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(AsHandle(handle_), &size)) {
    Raise(::GetLastError(), path_, CFileException::Operation::length);
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count) {
  std::uint32_t done = 0;
  while (done < count) {
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), static_cast<char*>(buffer) + done, count - done, &got,
                    nullptr)) {
      Raise(::GetLastError(), path_, CFileException::Operation::read);
    }
    if (got == 0) {
      break;
    }
    done += got;
  }
  return done;
}

void CFile::Close() {
  if (handle_ == -1) {
    return;
  }
  const HANDLE file = AsHandle(handle_);
  handle_ = -1;
  if (!::CloseHandle(file)) {
    Raise(::GetLastError(), path_, CFileException::Operation::close);
  }
}

}  // namespace larkfold

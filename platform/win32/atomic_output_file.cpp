#include "platform/atomic_output_file.h"

#include <windows.h>

#include "platform/win32/system_error_cause.h"
#include "platform/win32/wide_text.h"

namespace larkfold {
namespace {

[[noreturn]] void Raise(int cause, long osError, const std::string& path,
                        CFileException::Operation operation) {
  throw CFileException(cause, osError, path, operation);
}

[[noreturn]] void RaiseLastError(const std::string& path, CFileException::Operation operation) {
  const DWORD osError = ::GetLastError();
  Raise(CauseFromSystemError(osError), static_cast<long>(osError), path, operation);
}

bool Fail(CFileException* error, DWORD osError, const std::string& path) {
  if (error != nullptr) {
    *error = CFileException(CauseFromSystemError(osError), static_cast<long>(osError), path,
                            CFileException::Operation::open);
  }
  return false;
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// A name of fixed length in the target's folder, so that the replacement stays
// on one volume and is a rename.
std::wstring TemporaryName(const std::wstring& fullTarget, int attempt) {
  const std::wstring folder = fullTarget.substr(0, fullTarget.find_last_of(L'\\'));
  return folder + L"\\.larkfold-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
         std::to_wstring(attempt) + L".tmp";
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() {
  if (handle_ != -1) {
    ::CloseHandle(AsHandle(handle_));
  }
  if (!temporary_.empty()) {
    ::DeleteFileW(WideFromUtf8(temporary_).c_str());
  }
}

bool AtomicOutputFile::Open(const std::string& path, CFileException* error) {
  const std::wstring target = FullPathOf(WideFromUtf8(path));
  if (target.empty()) {
    return Fail(error, ERROR_FILENAME_EXCED_RANGE, path);
  }

  // What stands at the path must be something the program may replace: a
  // file that is not read-only. A folder is never replaced.
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
      return Fail(error, ERROR_ACCESS_DENIED, path);
    }
  } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
    return Fail(error, ::GetLastError(), path);
  }

  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring name = TemporaryName(target, attempt);
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      target_ = Utf8FromWide(target);
      temporary_ = Utf8FromWide(name);
      return true;
    }
    const DWORD createError = ::GetLastError();
    if (createError != ERROR_FILE_EXISTS && createError != ERROR_ALREADY_EXISTS) {
      return Fail(error, createError, path);
    }
  }
  return Fail(error, ERROR_FILE_EXISTS, path);
}

void AtomicOutputFile::Write(const void* data, std::uint32_t count) {
  std::uint32_t done = 0;
  while (done < count) {
    DWORD put = 0;
    if (!::WriteFile(AsHandle(handle_), static_cast<const char*>(data) + done, count - done, &put,
                     nullptr)) {
      RaiseLastError(target_, CFileException::Operation::write);
    }
    if (put == 0) {
      Raise(CFileException::diskFull, -1, target_, CFileException::Operation::write);
    }
    done += put;
  }
}

void AtomicOutputFile::Commit() {
  const HANDLE file = AsHandle(handle_);
  if (!::FlushFileBuffers(file)) {
    RaiseLastError(target_, CFileException::Operation::write);
  }
  handle_ = -1;
  if (!::CloseHandle(file)) {
    RaiseLastError(target_, CFileException::Operation::close);
  }
  if (!::MoveFileExW(WideFromUtf8(temporary_).c_str(), WideFromUtf8(target_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    RaiseLastError(target_, CFileException::Operation::replace);
  }
  temporary_.clear();
}

}  // namespace larkfold

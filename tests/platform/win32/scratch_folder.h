// A fresh folder of real files for one test, removed afterwards.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace larkfold {

class ScratchFolder {
 public:
  ScratchFolder() {
    wchar_t temporary[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temporary);
    static int serial = 0;
    path_ = std::wstring(temporary) + L"larkfold-platform-" +
            std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { Remove(path_); }

  std::wstring Wide(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::string Path(const std::wstring& name) const { return Utf8FromWide(Wide(name)); }

  // Names of the files in the folder.
  int FileCount() const {
    int count = 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
      return 0;
    }
    do {
      count += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return count;
  }

 private:
  static void Remove(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
          continue;
        }
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path);
        } else {
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(search, &entry));
      ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

inline bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  const bool ok =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return ::CloseHandle(file) && ok;
}

inline std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return "<missing>";
  }
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(file);
  return bytes;
}

}  // namespace larkfold

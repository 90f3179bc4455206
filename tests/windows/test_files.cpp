#include "tests/windows/test_files.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace larkfold {
namespace {

void RemoveTree(const std::wstring& folder) {
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
        RemoveTree(path);
      } else {
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  wchar_t temporary[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temporary);
  static int serial = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    path_ = std::wstring(temporary) + L"larkfold-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(++serial);
    if (::CreateDirectoryW(path_.c_str(), nullptr)) {
      return;
    }
  }
  path_.clear();
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) {
    RemoveTree(path_);
  }
}

std::string ScratchFolder::Utf8File(const std::wstring& name) const {
  return Utf8FromWide(File(name));
}

int ScratchFolder::FileCount() const {
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

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
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

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(file);
  return true;
}

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace larkfold

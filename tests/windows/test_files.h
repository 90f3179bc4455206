// Real files for the Windows tests: a fresh folder per test, removed with
// everything in it afterwards, and whole-file reads and writes.
#pragma once

#include <string>

namespace larkfold {

class ScratchFolder {
 public:
  ScratchFolder();  // under the system's temporary folder
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  // The same path as the program holds it (WTF-8).
  std::string Utf8File(const std::wstring& name) const;

  // How many files (not folders) the folder holds.
  int FileCount() const;

 private:
  std::wstring path_;
};

bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// False when the file cannot be opened.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
bool Exists(const std::wstring& path);

}  // namespace larkfold

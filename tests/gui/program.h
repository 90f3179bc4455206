// The dialog program under test, started as a user starts it, and its windows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/windows/test_files.h"

namespace larkfold::gui {

// The program's windows, told apart by their controls and captions.
inline constexpr int kConvertButton = 1002;
inline constexpr int kProgressCancel = 1001;

class Program {
 public:
  // Starts `executable` with the given environment variables added.
  explicit Program(const std::wstring& executable,
                   const std::vector<std::pair<std::wstring, std::wstring>>& environment = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();  // ends the program if it is still running

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }

  // The main dialog, waiting for it to appear; null when it does not.
  HWND MainDialog();

  // The first message box the program shows from now on, or null.
  HWND WaitForMessageBox(DWORD timeout = 60000);
  // The box showing now, if any.
  HWND MessageBoxNow() const;

  HWND WaitForProgressWindow();
  HWND ProgressWindowNow() const;

  // Waits for the process to end; false when it is still running afterwards.
  bool WaitForExit(DWORD timeout, DWORD* exitCode = nullptr);
  bool IsRunning() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  HWND main_ = nullptr;
};

// The program's path: LARKFOLD_GUI_PROGRAM, or the one this driver was built with.
std::wstring ProgramPath();

std::wstring EnvironmentValue(const wchar_t* name);

// A Unix path as Wine's drive Z: shows it.
std::wstring WindowsPathOf(const std::string& unixPath);

}  // namespace larkfold::gui

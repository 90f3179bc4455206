#include "tests/gui/program.h"

#include "platform/win32/wide_text.h"
#include "tests/gui/windows_of.h"

namespace larkfold::gui {
namespace {

bool HasControl(HWND dialog, int id) {
  return ::GetDlgItem(dialog, id) != nullptr;
}

bool IsMessageBox(HWND dialog) {
  return HasControl(dialog, 0xFFFF) && HasControl(dialog, IDOK);
}

bool IsProgressWindow(HWND dialog) {
  wchar_t caption[32] = {};
  ::GetWindowTextW(dialog, caption, 32);
  return std::wstring(caption) == L"Dialog" && HasControl(dialog, kProgressCancel) &&
         !HasControl(dialog, kConvertButton);
}

}  // namespace

Program::Program(const std::wstring& executable,
                 const std::vector<std::pair<std::wstring, std::wstring>>& environment) {
  // The child inherits this process's environment, with the additions.
  std::vector<std::pair<std::wstring, std::wstring>> previous;
  for (const auto& [name, value] : environment) {
    previous.emplace_back(name, EnvironmentValue(name.c_str()));
    ::SetEnvironmentVariableW(name.c_str(), value.c_str());
  }
  std::wstring commandLine = L"\"" + executable + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
    ::CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
  }
  for (const auto& [name, value] : previous) {
    ::SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
  }
}

Program::~Program() {
  if (process_ == nullptr) {
    return;
  }
  if (IsRunning()) {
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 10000);
  }
  ::CloseHandle(process_);
}

HWND Program::MainDialog() {
  if (main_ != nullptr && ::IsWindow(main_)) {
    return main_;
  }
  main_ = WaitForWindow([this]() -> HWND {
    for (HWND dialog : DialogsOf(id_)) {
      if (HasControl(dialog, kConvertButton)) {
        return dialog;
      }
    }
    return nullptr;
  });
  return main_;
}

HWND Program::MessageBoxNow() const {
  for (HWND dialog : DialogsOf(id_)) {
    if (IsMessageBox(dialog)) {
      return dialog;
    }
  }
  return nullptr;
}

HWND Program::WaitForMessageBox(DWORD timeout) {
  return WaitForWindow([this] { return MessageBoxNow(); }, timeout);
}

HWND Program::ProgressWindowNow() const {
  for (HWND dialog : DialogsOf(id_)) {
    if (IsProgressWindow(dialog)) {
      return dialog;
    }
  }
  return nullptr;
}

HWND Program::WaitForProgressWindow() {
  return WaitForWindow([this] { return ProgressWindowNow(); });
}

bool Program::WaitForExit(DWORD timeout, DWORD* exitCode) {
  if (::WaitForSingleObject(process_, timeout) != WAIT_OBJECT_0) {
    return false;
  }
  if (exitCode != nullptr) {
    ::GetExitCodeProcess(process_, exitCode);
  }
  return true;
}

bool Program::IsRunning() const {
  return process_ != nullptr && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::wstring EnvironmentValue(const wchar_t* name) {
  const DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (length == 0) {
    return std::wstring();
  }
  std::wstring value(length, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), length));
  return value;
}

std::wstring WindowsPathOf(const std::string& unixPath) {
  std::wstring path = L"Z:" + WideFromUtf8(unixPath);
  for (wchar_t& c : path) {
    if (c == L'/') {
      c = L'\\';
    }
  }
  return path;
}

std::wstring ProgramPath() {
  const std::wstring configured = EnvironmentValue(L"LARKFOLD_GUI_PROGRAM");
  return configured.empty() ? WindowsPathOf(LARKFOLD_PROGRAM_PATH) : configured;
}

}  // namespace larkfold::gui
